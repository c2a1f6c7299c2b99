#pragma once
// Where the save-text command writes: the chosen path with the extension ".txt".

#include <string>
#include <string_view>

namespace velumbrino {

// "nota" -> "nota.txt", "nota.rtf" -> "nota.txt", "nota.txt" stays; a dot in a folder name
// does not count ("C:\notas.antigas\nota" -> "C:\notas.antigas\nota.txt").
std::string TextFileSavePath(std::string_view chosen_path);

}  // namespace velumbrino
