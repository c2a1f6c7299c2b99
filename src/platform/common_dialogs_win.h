#pragma once
// The real common dialogs. Each clears AppReady while it is up.

#include <windows.h>

#include <string>

#include "platform/common_dialogs.h"
#include "platform/custom_colors.h"
#include "platform/modal_guard.h"
#include "platform/unique_handle.h"

namespace velumbrino {

// Under HKEY_CURRENT_USER; the colours are the value "RegColors" there.
inline constexpr wchar_t kCustomColorsKey[] = L"Software\\Ovrask\\Velumbrino\\cDialog";

// All white when nothing is stored yet.
CustomColors LoadCustomColors(const std::wstring& key_path = kCustomColorsKey);
bool SaveCustomColors(const CustomColors& colors, const std::wstring& key_path = kCustomColorsKey);

class CommonDialogsWin : public CommonDialogs {
 public:
  explicit CommonDialogsWin(AppReadyFlag& app_ready) : app_ready_(app_ready) {}

  std::optional<Color> ShowColorDialog(WindowHandle owner, Color initial, bool full_open) override;
  void ShowOpenDialog(DialogSettings& settings) override;
  void ShowSaveDialog(DialogSettings& settings) override;
  bool ShowFontDialog(DialogSettings& settings, bool no_effects) override;
  bool ShowPrinterDialog(DialogSettings& settings, std::uint32_t flags) override;

  // A DC of the printer and settings last chosen in the printer dialog (the system's default
  // printer before that); empty when it cannot be made.
  unique_dc CreatePrinterDC() const;

 private:
  void ShowFileDialog(DialogSettings& settings, bool save);

  AppReadyFlag& app_ready_;
  // The printer chosen last, handed back to the printer dialog the next time so that it opens
  // on the same printer and settings.
  unique_global printer_mode_;   // DEVMODEW
  unique_global printer_names_;  // DEVNAMES
};

}  // namespace velumbrino
