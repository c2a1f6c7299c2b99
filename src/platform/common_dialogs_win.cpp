#include "platform/common_dialogs_win.h"

#include <commdlg.h>

#include "platform/registry_win.h"
#include "platform/wide_string_win.h"

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

void CommonDialogsWin::ShowOpenDialog(DialogSettings& settings) { ShowFileDialog(settings, false); }

void CommonDialogsWin::ShowSaveDialog(DialogSettings& settings) { ShowFileDialog(settings, true); }

void CommonDialogsWin::ShowFileDialog(DialogSettings& settings, bool save) {
  const FileDialogRequest request = MakeFileDialogRequest(settings);
  // The filter holds NULs, so it is widened whole, not up to its first NUL.
  const std::wstring filter = Widen(request.filter);
  const std::wstring folder = Widen(request.initial_folder);
  const std::wstring title = Widen(request.dialog_title);
  // Room for long paths: a name that does not fit would look like a cancel.
  std::wstring file(32768, L'\0');
  std::wstring file_title(MAX_PATH, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = reinterpret_cast<HWND>(request.owner_window);
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.filter_index);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrFileTitle = file_title.data();
  dialog.nMaxFileTitle = static_cast<DWORD>(file_title.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = request.flags;
  BOOL chosen = FALSE;
  {
    ModalGuard modal(app_ready_);
    chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  }
  if (!chosen) return;
  ApplyFileDialogResult(Narrow(file.c_str()), Narrow(file_title.c_str()),
                        static_cast<int>(dialog.nFilterIndex), settings);
}

}  // namespace velumbrino
