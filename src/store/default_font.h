#pragma once
// The default note font, kept as five text values in the registry.

#include <string>
#include <string_view>

#include "store/note_window.h"

namespace velumbrino {

// A store of named text values: the registry key of the program's own preferences.
class PreferenceStore {
 public:
  virtual ~PreferenceStore() = default;
  virtual std::string Get(std::string_view name, std::string_view default_value) const = 0;
  virtual bool Set(std::string_view name, std::string_view value) = 0;
};

// Read in the order FontSize, FontNome, FontNegrito, FontItalico, FontSublinhado.
DefaultFont LoadDefaultFont(const PreferenceStore& store);
// Written in the order FontNome, FontSize, FontNegrito, FontItalico, FontSublinhado.
bool SaveDefaultFont(PreferenceStore& store, const DefaultFont& font);

}  // namespace velumbrino
