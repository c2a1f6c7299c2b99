// Parsing and serializing give the bytes back; writes and deletes read the same after a reload.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "store/ini_document.h"

using velumbrino::IniDocument;

namespace {

std::string Trimmed(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A name that is read back as written after a save: no line break, no '=' in a key, no
// ']' in a section, not a section header itself, and something left after trimming.
bool PlainName(const std::string& name, bool section) {
  if (Trimmed(name).empty() || name.find_first_of("\r\n") != std::string::npos) return false;
  if (section) return name.find(']') == std::string::npos;
  return name.find('=') == std::string::npos && Trimmed(name)[0] != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string file = input.ConsumeRandomLengthString(4096);
  IniDocument document(file);
  Check(document.Serialize() == file);

  std::vector<std::pair<std::string, std::string>> touched;  // section, key
  while (input.remaining_bytes() > 0 && touched.size() < 64) {
    std::string section = input.ConsumeRandomLengthString(16);
    std::string key = input.ConsumeRandomLengthString(16);
    if (input.ConsumeBool()) {
      // The program writes only its own names (note numbers, "Indice", fixed keys).
      if (!PlainName(section, true) || !PlainName(key, false)) continue;
      const std::string value = input.ConsumeRandomLengthString(64);
      document.Set(section, key, value);
      Check(document.Get(section, key) == Trimmed(value));
    } else {
      const auto before = document.Get(section, key);
      document.Delete(section, key);
      if (!before) Check(!document.Get(section, key));
    }
    touched.emplace_back(std::move(section), std::move(key));
  }
  const std::string saved = document.Serialize();
  const IniDocument reloaded(saved);
  Check(reloaded.Serialize() == saved);
  for (const auto& [section, key] : touched) {
    if (PlainName(section, true) && PlainName(key, false)) {
      Check(reloaded.Get(section, key) == document.Get(section, key));
    }
  }
  return 0;
}
