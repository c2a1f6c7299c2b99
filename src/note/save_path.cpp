#include "note/save_path.h"

#include "store/text_utils.h"

namespace velumbrino {

std::string TextFileSavePath(std::string_view chosen_path) {
  std::string extension = "txt";
  return ChangeExtension(chosen_path, extension);
}

}  // namespace velumbrino
