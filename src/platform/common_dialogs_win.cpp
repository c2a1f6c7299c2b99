#include "platform/common_dialogs_win.h"

#include <commdlg.h>

#include "platform/registry_win.h"

namespace velumbrino {

namespace {
constexpr std::string_view kCustomColorsValue = "RegColors";
}  // namespace

CustomColors LoadCustomColors(const std::wstring& key_path) {
  return ParseCustomColors(GetRegistryValue(HKEY_CURRENT_USER, key_path, kCustomColorsValue, ""));
}

bool SaveCustomColors(const CustomColors& colors, const std::wstring& key_path) {
  return SetRegistryValue(HKEY_CURRENT_USER, key_path, kCustomColorsValue,
                          FormatCustomColors(colors));
}

std::optional<Color> CommonDialogsWin::ShowColorDialog(WindowHandle owner, Color initial,
                                                   bool full_open) {
  CustomColors custom = LoadCustomColors();
  static_assert(sizeof(COLORREF) == sizeof(CustomColors::value_type));
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = static_cast<HWND>(owner);
  choose.rgbResult = initial;
  choose.lpCustColors = reinterpret_cast<COLORREF*>(custom.data());
  choose.Flags = CC_RGBINIT | CC_ANYCOLOR | (full_open ? CC_FULLOPEN : 0);
  bool chosen = false;
  {
    ModalGuard modal(app_ready_);
    chosen = ChooseColorW(&choose) != FALSE;
  }
  // Stored after a cancel too, so colours the user defined are not lost.
  SaveCustomColors(custom);
  if (!chosen) return std::nullopt;
  return static_cast<Color>(choose.rgbResult & 0x00FFFFFF);
}

}  // namespace velumbrino
