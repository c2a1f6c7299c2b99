#include "platform/common_dialogs_win.h"

#include <commdlg.h>
#include <winspool.h>

#include <cwchar>

#include "platform/message_box_win.h"
#include "platform/registry_win.h"
#include "platform/system_library_win.h"
#include "platform/wide_string_win.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {
constexpr std::string_view kCustomColorsValue = "RegColors";

// winspool is not among the libraries Windows always takes from the system folder, so it is
// loaded from there on first use instead of being imported. Without it there is no printer.
BOOL DefaultPrinter(LPWSTR name, LPDWORD size) {
  static const auto get =
      SystemFunction<decltype(&GetDefaultPrinterW)>(L"winspool.drv", "GetDefaultPrinterW");
  if (get) return get(name, size);
  *size = 0;
  return FALSE;
}

bool AnyPrinterInstalled() {
  static const auto enumerate =
      SystemFunction<decltype(&EnumPrintersW)>(L"winspool.drv", "EnumPrintersW");
  DWORD needed = 0;
  DWORD count = 0;
  if (enumerate) {
    enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
              &count);
  }
  return needed > 0;
}

bool PrinterInstalled() {
  DWORD size = 0;
  if (!DefaultPrinter(nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    return true;
  }
  // No default, but the user may still pick one of those installed.
  return AnyPrinterInstalled();
}

// The global memory block locked for as long as it lives.
template <typename T>
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_) GlobalUnlock(memory_);
  }
  T* get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

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

bool CommonDialogsWin::ShowFontDialog(DialogSettings& settings, bool no_effects) {
  const FontDialogRequest request = MakeFontDialogRequest(settings, no_effects);
  LOGFONTW font{};
  // A negative height is the character height, which is what a size in points means; a
  // positive one would be taken as the cell height and open the dialog a size too small.
  {
    window_dc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    font.lfHeight = -MulDiv(settings.font_size, dpi > 0 ? dpi : 96, 72);
  }
  font.lfWeight = request.log_font.weight;
  font.lfItalic = request.log_font.italic ? TRUE : FALSE;
  font.lfUnderline = request.log_font.underline ? TRUE : FALSE;
  font.lfStrikeOut = request.log_font.strikeout ? TRUE : FALSE;
  font.lfCharSet = request.log_font.charset;
  font.lfPitchAndFamily = request.log_font.pitch_and_family;
  wcsncpy_s(font.lfFaceName, Widen(request.log_font.face).c_str(), _TRUNCATE);

  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = reinterpret_cast<HWND>(request.owner_window);
  dialog.lpLogFont = &font;
  dialog.iPointSize = request.point_size_tenths;
  dialog.rgbColors = request.color & 0x00FFFFFF;
  dialog.nFontType = static_cast<WORD>(request.font_type);
  dialog.nSizeMin = request.size_min;
  dialog.nSizeMax = request.size_max;
  // Printer fonts need a printer DC, which the dialog is not given; asked for without one,
  // Wine's dialog ignores the font it is opened on.
  dialog.Flags = request.flags & ~static_cast<DWORD>(CF_PRINTERFONTS);
  BOOL chosen = FALSE;
  {
    ModalGuard modal(app_ready_);
    chosen = ChooseFontW(&dialog);
  }
  if (!chosen) return false;
  FontDialogResult result;
  result.log_font.height = font.lfHeight;
  result.log_font.weight = font.lfWeight;
  result.log_font.italic = font.lfItalic != 0;
  result.log_font.underline = font.lfUnderline != 0;
  result.log_font.strikeout = font.lfStrikeOut != 0;
  result.log_font.charset = font.lfCharSet;
  result.log_font.pitch_and_family = font.lfPitchAndFamily;
  result.log_font.face = Narrow(font.lfFaceName);
  result.point_size_tenths = dialog.iPointSize;
  result.color = static_cast<Color>(dialog.rgbColors & 0x00FFFFFF);
  ApplyFontDialogResult(result, settings);
  return true;
}

bool CommonDialogsWin::ShowPrinterDialog(DialogSettings& settings, std::uint32_t flags) {
  if (!PrinterInstalled()) {
    ShowMessageBox(app_ready_, nullptr, TXT_PRINT_NO_PRINTER, TXT_PRINT_NO_PRINTER_CAPTION,
                   MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    return false;
  }
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = reinterpret_cast<HWND>(settings.owner_window);
  // The dialog may free these and hand back new blocks, on a cancel too: they are taken back
  // from the structure whatever the outcome.
  dialog.hDevMode = printer_mode_.release();
  dialog.hDevNames = printer_names_.release();
  dialog.Flags = flags & ~static_cast<std::uint32_t>(PD_RETURNDC | PD_RETURNIC);
  BOOL chosen = FALSE;
  {
    ModalGuard modal(app_ready_);
    chosen = PrintDlgW(&dialog);
  }
  printer_mode_.reset(dialog.hDevMode);
  printer_names_.reset(dialog.hDevNames);
  return chosen != FALSE;
}

unique_dc CommonDialogsWin::CreatePrinterDC() const {
  LockedGlobal<DEVNAMES> names(printer_names_.get());
  LockedGlobal<DEVMODEW> mode(printer_mode_.get());
  if (names.get()) {
    const auto* base = reinterpret_cast<const wchar_t*>(names.get());
    return unique_dc(CreateDCW(base + names.get()->wDriverOffset, base + names.get()->wDeviceOffset,
                               nullptr, mode.get()));
  }
  // Nothing chosen yet: the default printer with its own settings.
  DWORD size = 0;
  DefaultPrinter(nullptr, &size);
  if (size == 0) return unique_dc();
  std::wstring device(size, L'\0');
  if (!DefaultPrinter(device.data(), &size)) return unique_dc();
  return unique_dc(CreateDCW(L"WINSPOOL", device.c_str(), nullptr, nullptr));
}

}  // namespace velumbrino
