#pragma once
// Reading and writing the text files the user loads into and saves from notes, with the
// reason of a failure for the message that tells the user.

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_problem.h"

namespace velumbrino {

struct TextFileBytes {
  std::string bytes;
  std::optional<FileProblem> problem;
};

// The whole file; one too large for a note is refused before it is read.
TextFileBytes ReadTextFileBytes(const std::string& path);
// Written atomically, so a failure leaves the previous file as it was; nullopt on success.
std::optional<FileProblem> WriteTextFileBytes(const std::string& path, std::string_view bytes);

}  // namespace velumbrino
