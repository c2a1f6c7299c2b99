#include "shell/about_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "platform/dialog_base_win.h"
#include "platform/unique_handle.h"
#include "resource.h"
#include "ui_strings.h"
#include "version.h"

namespace velumbrino {

const wchar_t kMakerWebAddress[] = L"https://www.ovrask.com.br/velumbrino";

namespace {

class AboutBox : public DialogBase {
 protected:
  void OnInit() override {
    bold_font_ = DerivedFont(FW_BOLD, false, 150);
    if (bold_font_) SetFont(IDC_ABOUT_NAME, bold_font_.get());
    SetItemText(IDC_ABOUT_NAME, std::string(TXT_PROGRAM_NAME) + " " + VELUMBRINO_VERSION_TEXT);
    SetItemText(IDC_ABOUT_LINK, std::string("<a>") + TXT_ABOUT_LINK + "</a>");
  }

  bool OnMessage(UINT message, WPARAM, LPARAM lparam, INT_PTR& result) override {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header->idFrom == IDC_ABOUT_LINK &&
        (header->code == NM_CLICK || header->code == NM_RETURN)) {
      ShellExecuteW(hwnd(), L"open", kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
      result = 0;
      return true;
    }
    return false;
  }

 private:
  unique_font DerivedFont(LONG weight, bool underline, int size_percent) {
    LOGFONTW font{};
    HFONT dialog_font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    if (!dialog_font || !GetObjectW(dialog_font, sizeof(font), &font)) return unique_font();
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfHeight = MulDiv(font.lfHeight, size_percent, 100);
    return unique_font(CreateFontIndirectW(&font));
  }
  void SetFont(int control_id, HFONT font) {
    SendMessageW(Item(control_id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  unique_font bold_font_;
};

}  // namespace

void ShowAboutBox(HWND owner, AppReadyFlag& app_ready) {
  static const bool link_class = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LINK_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)link_class;
  AboutBox().RunModal(owner, IDD_ABOUT, app_ready);
}

}  // namespace velumbrino
