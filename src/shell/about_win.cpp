#include "shell/about_win.h"

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
    link_font_ = DerivedFont(FW_NORMAL, true, 100);
    if (bold_font_) SetFont(IDC_ABOUT_NAME, bold_font_.get());
    if (link_font_) SetFont(IDC_ABOUT_LINK, link_font_.get());
    SetItemText(IDC_ABOUT_NAME, std::string(TXT_PROGRAM_NAME) + " " + VELUMBRINO_VERSION_TEXT);
  }

  void OnCommand(int control_id, int notification) override {
    if (control_id == IDC_ABOUT_LINK && notification == STN_CLICKED) {
      ShellExecuteW(hwnd(), L"open", kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
      return;
    }
    DialogBase::OnCommand(control_id, notification);
  }

  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override {
    if (message == WM_CTLCOLORSTATIC &&
        GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == IDC_ABOUT_LINK) {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0x50, 0xC0));
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    if (message == WM_SETCURSOR &&
        GetDlgCtrlID(reinterpret_cast<HWND>(wparam)) == IDC_ABOUT_LINK) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
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
  unique_font link_font_;
};

}  // namespace

void ShowAboutBox(HWND owner, AppReadyFlag& app_ready) {
  AboutBox().RunModal(owner, IDD_ABOUT, app_ready);
}

}  // namespace velumbrino
