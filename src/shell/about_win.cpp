#include "shell/about_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace velumbrino {

const wchar_t kMakerWebAddress[] = L"https://www.ovrask.com.br/velumbrino";
const wchar_t kAboutBoxTitle[] = L"Sobre o Velumbrino";

namespace {

constexpr int kProgramIconId = 100;  // IDI_VELUMBRINO
constexpr WORD kIconControl = 101;
constexpr WORD kNameLabel = 102;
constexpr WORD kDescriptionLabel = 103;
constexpr WORD kCopyrightLabel = 104;
constexpr WORD kLinkLabel = 106;  // Label6
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kButtonClass = 0x0080;

// A dialog template assembled in memory, so the box needs no resource script.
class DialogTemplateBuilder {
 public:
  DialogTemplateBuilder(DWORD style, short cx, short cy, const wchar_t* title,
                        WORD point_size, const wchar_t* font) {
    Add32(style);
    Add32(0);      // extended style
    words_.push_back(0);  // item count, patched by AddItem
    words_.push_back(0);  // x
    words_.push_back(0);  // y
    words_.push_back(static_cast<WORD>(cx));
    words_.push_back(static_cast<WORD>(cy));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // standard dialog class
    AddText(title);
    words_.push_back(point_size);
    AddText(font);
  }

  void AddItem(WORD class_atom, WORD id, DWORD style, short x, short y, short cx, short cy,
               const wchar_t* text) {
    while (words_.size() % 2) words_.push_back(0);  // items start on a DWORD boundary
    Add32(style | WS_CHILD | WS_VISIBLE);
    Add32(0);
    for (short value : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(class_atom);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[4];          // cdit
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Add32(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }
  std::vector<WORD> words_;
};

struct AboutContext {
  const std::function<void(bool)>* set_app_ready = nullptr;
  unique_font bold_font;
  unique_font link_font;
  bool ready_cleared = false;
};

unique_font DerivedFont(HWND dialog, LONG weight, bool underline, int size_percent) {
  LOGFONTW font{};
  HFONT dialog_font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  if (!dialog_font || !GetObjectW(dialog_font, sizeof(font), &font)) return unique_font();
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfHeight = MulDiv(font.lfHeight, size_percent, 100);
  return unique_font(CreateFontIndirectW(&font));
}

void OpenWebAddress(HWND dialog) {
  ShellExecuteW(dialog, L"open", kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* context = reinterpret_cast<AboutContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      context = reinterpret_cast<AboutContext*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      if (*context->set_app_ready) (*context->set_app_ready)(false);
      context->ready_cleared = true;
      HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
      if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
      SendDlgItemMessageW(dialog, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      context->bold_font = DerivedFont(dialog, FW_BOLD, false, 150);
      context->link_font = DerivedFont(dialog, FW_NORMAL, true, 100);
      if (context->bold_font) {
        SendDlgItemMessageW(dialog, kNameLabel, WM_SETFONT,
                            reinterpret_cast<WPARAM>(context->bold_font.get()), FALSE);
      }
      if (context->link_font) {
        SendDlgItemMessageW(dialog, kLinkLabel, WM_SETFONT,
                            reinterpret_cast<WPARAM>(context->link_font.get()), FALSE);
      }
      return TRUE;
    }
    case WM_ACTIVATE:
      // Above pinned notes, which are topmost themselves.
      if (LOWORD(wparam) != WA_INACTIVE) {
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == kLinkLabel) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(0, 0x50, 0xC0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_SETCURSOR:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(wparam)) == kLinkLabel) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wparam) == kLinkLabel && HIWORD(wparam) == STN_CLICKED) {
        OpenWebAddress(dialog);
        return TRUE;
      }
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HWND owner, const std::function<void(bool)>& set_app_ready) {
  DialogTemplateBuilder box(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION |
                                WS_SYSMENU,
                            210, 92, kAboutBoxTitle, 8, L"Tahoma");
  box.AddItem(kStaticClass, kIconControl, SS_ICON, 12, 12, 21, 20, L"");
  box.AddItem(kStaticClass, kNameLabel, SS_LEFT, 44, 10, 156, 14, L"Velumbrino 1.0");
  box.AddItem(kStaticClass, kDescriptionLabel, SS_LEFT, 44, 27, 156, 10,
              L"Notas adesivas para a \u00e1rea de trabalho");
  box.AddItem(kStaticClass, kCopyrightLabel, SS_LEFT, 44, 39, 156, 10, L"\u00a9 Ovrask");
  box.AddItem(kStaticClass, kLinkLabel, SS_LEFT | SS_NOTIFY, 44, 53, 156, 10,
              L"www.ovrask.com.br/velumbrino");
  box.AddItem(kButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 71, 50, 14, L"OK");

  AboutContext context;
  context.set_app_ready = &set_app_ready;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner, AboutProc,
                          reinterpret_cast<LPARAM>(&context));
  // Set again even if the box failed to open after clearing it.
  if (context.ready_cleared && set_app_ready) set_app_ready(true);
}

}  // namespace velumbrino
