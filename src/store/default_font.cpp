#include "store/default_font.h"

#include "store/text_utils.h"

namespace velumbrino {

namespace {

bool ReadFlag(const PreferenceStore& store, std::string_view name) {
  return TextToBool(store.Get(name, "False")).value_or(false);
}

}  // namespace

DefaultFont LoadDefaultFont(const PreferenceStore& store) {
  DefaultFont font;
  font.size = store.Get("FontSize", "10");
  font.face = store.Get("FontNome", "Arial");
  font.bold = ReadFlag(store, "FontNegrito");
  font.italic = ReadFlag(store, "FontItalico");
  font.underline = ReadFlag(store, "FontSublinhado");
  return font;
}

bool SaveDefaultFont(PreferenceStore& store, const DefaultFont& font) {
  bool ok = store.Set("FontNome", font.face);
  ok = store.Set("FontSize", font.size) && ok;
  ok = store.Set("FontNegrito", BoolToText(font.bold)) && ok;
  ok = store.Set("FontItalico", BoolToText(font.italic)) && ok;
  ok = store.Set("FontSublinhado", BoolToText(font.underline)) && ok;
  return ok;
}

}  // namespace velumbrino
