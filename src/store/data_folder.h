#pragma once
// The data folder under Documents and its first-run contents.

#include <optional>
#include <string>
#include <string_view>

#include "store/file_system.h"

namespace velumbrino {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr const char* kIndexFileName = "indice.dat";
inline constexpr const char* kSettingsFileName = "config.cfg";

// Documents + "\Velumbrino\" (trailing separator included). An empty Documents path gives
// "\Velumbrino\", the root of the current drive.
std::string DataFolderPathFor(std::string_view documents_folder);
// "stickie" + number + ".vmb"
std::string BodyFileName(std::string_view note_number);
// The note number of a body file name ("stickie12.vmb" -> 12, any letter case); nullopt for
// any other name, including leading zeros or a zero number, which the program never writes.
std::optional<int> BodyFileNumber(std::string_view file_name);
// indice.dat, config.cfg, carregando.dat, a body file, or the temporary file an atomic write
// of one of them leaves behind ("config.cfg.~12.tmp", "indice.dat.~4711-3.tmp"); any case.
bool IsOwnDataFileName(std::string_view file_name);
// Any file with the body extension ".vmb" (any letter case).
bool HasBodyExtension(std::string_view file_name);

// The first-run files, byte for byte (Windows-1252; CR between lines, CR LF at the end).
std::string WelcomeSettingsBytes();
std::string WelcomeBodyBytes(std::string_view login_name_utf8);
std::string WelcomeIndexBytes();

enum class PrepareResult {
  kExisting,     // the folder was there: nothing written
  kCreated,      // first run: folder created and seeded
  kFailed,       // the folder or a first-run file could not be written
};

// Creates and seeds the folder when it is missing.
PrepareResult PrepareDataFolder(FileSystem& files, const std::string& data_folder_path,
                                std::string_view login_name_utf8);

}  // namespace velumbrino
