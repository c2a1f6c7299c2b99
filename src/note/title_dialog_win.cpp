#include "note/title_dialog_win.h"

#include "note/title_rules.h"
#include "platform/twips_layout_win.h"
#include "resource.h"

namespace velumbrino {

namespace {

// The text box and the three buttons lie in a container at (120, 180) twips.
constexpr int kBoxLeft = 120;
constexpr int kBoxTop = 180;

TwipsRect InBox(int left, int top, int width, int height) {
  return {kBoxLeft + left, kBoxTop + top, width, height};
}

}  // namespace

std::optional<std::string> TitleDialog::Ask(HWND owner, AppReadyFlag& app_ready) {
  result_.reset();
  RunModal(owner, IDD_NOTE_TITLE, app_ready);
  return result_;
}

void TitleDialog::OnInit() {
  SetClientSizeTwips(hwnd(), 4020, 1815);
  PlaceControlTwips(hwnd(), IDC_TITLE_FRAME, {90, 15, 3855, 1170});
  PlaceControlTwips(hwnd(), IDC_TITLE_OK, {615, 1300, 1140, 345});
  PlaceControlTwips(hwnd(), IDC_TITLE_CANCEL, {1950, 1300, 1140, 345});
  PlaceControlTwips(hwnd(), IDC_TITLE_DATE, InBox(45, 495, 930, 360));
  PlaceControlTwips(hwnd(), IDC_TITLE_TIME, InBox(1140, 495, 930, 360));
  PlaceControlTwips(hwnd(), IDC_TITLE_DATE_AND_TIME, InBox(2175, 495, 1560, 360));
  PlaceControlTwips(hwnd(), IDC_TITLE_TEXT, InBox(45, 75, 3690, 300));
  // The limit binds typing only: a longer stored title is shown whole, and so are the
  // buttons' texts.
  SendMessageW(Item(IDC_TITLE_TEXT), EM_LIMITTEXT, kTitleMaxChars, 0);
  SetItemText(IDC_TITLE_TEXT, title_);
}

void TitleDialog::OnCommand(int control_id, int notification) {
  if (notification != BN_CLICKED) return;
  switch (control_id) {
    case IDC_TITLE_OK:
      result_ = ItemText(IDC_TITLE_TEXT);
      End(IDOK);
      break;
    case IDC_TITLE_CANCEL:
    case IDCANCEL:  // Esc and the close box
      End(IDCANCEL);
      break;
    case IDC_TITLE_DATE:
      SetItemText(IDC_TITLE_TEXT, TitleButtonText(TitleButton::kDate, clock_.Now()));
      break;
    case IDC_TITLE_TIME:
      SetItemText(IDC_TITLE_TEXT, TitleButtonText(TitleButton::kTime, clock_.Now()));
      break;
    case IDC_TITLE_DATE_AND_TIME:
      SetItemText(IDC_TITLE_TEXT, TitleButtonText(TitleButton::kDateAndTime, clock_.Now()));
      break;
    default:  // IDOK: Enter has no meaning here, no button is the default
      break;
  }
}

}  // namespace velumbrino
