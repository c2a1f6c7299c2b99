#include "dialogs/note_list_dialogs_win.h"

#include "platform/help_win.h"
#include "platform/twips_layout_win.h"
#include "platform/wide_string_win.h"
#include "resource.h"

namespace velumbrino {

NoteListChoice NoteListDialog::Choose(HWND owner, AppReadyFlag& app_ready) {
  app_ready_ = &app_ready;
  result_ = {};
  RunModal(owner, mode_ == NoteListMode::kShow ? IDD_SHOW_NOTES : IDD_DELETE_NOTES, app_ready);
  return result_;
}

void NoteListDialog::OnInit() {
  SetClientSizeTwips(hwnd(), 5460, 2310);
  PlaceControlTwips(hwnd(), IDC_NOTE_LIST, {120, 105, 5205, 1635});
  PlaceControlTwips(hwnd(), IDC_NOTE_LIST_SELECTED, {165, 1845, 1155, 345});
  PlaceControlTwips(hwnd(), IDC_NOTE_LIST_ALL, {1485, 1845, 1155, 345});
  PlaceControlTwips(hwnd(), IDCANCEL, {2820, 1845, 1155, 345});
  PlaceControlTwips(hwnd(), IDC_NOTE_LIST_HELP, {4155, 1845, 1155, 345});
  HWND list = Item(IDC_NOTE_LIST);
  for (std::size_t k = 0; k < list_.entries.size(); ++k) {
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(Widen(list_.entries[k]).c_str()));
    if (index >= 0 && k < list_.selected.size() && list_.selected[k]) {
      SendMessageW(list, LB_SETSEL, TRUE, index);
    }
  }
  // Selecting moved the caret to the last selected entry; the keyboard starts at the top.
  SendMessageW(list, LB_SETCARETINDEX, 0, FALSE);
  SendMessageW(list, LB_SETTOPINDEX, 0, 0);
}

void NoteListDialog::OnCommand(int control_id, int notification) {
  if (notification != BN_CLICKED) return;
  switch (control_id) {
    case IDC_NOTE_LIST_SELECTED:
      Finish(NoteListAction::kSelected);
      break;
    case IDC_NOTE_LIST_ALL:
      Finish(NoteListAction::kAll);
      break;
    case IDCANCEL:  // "Cancelar", Esc and the close box
      End(IDCANCEL);
      break;
    case IDC_NOTE_LIST_HELP:
      // Tells the user itself when the help file is missing.
      ShowHelpTopic(
          hwnd(), *app_ready_, app_folder_,
          Widen(mode_ == NoteListMode::kShow ? kShowNotesHelpTopic : kDeleteNotesHelpTopic)
              .c_str());
      break;
    default:  // IDOK: Enter has no meaning here
      break;
  }
}

void NoteListDialog::Finish(NoteListAction action) {
  HWND list = Item(IDC_NOTE_LIST);
  result_.action = action;
  result_.selected.assign(list_.entries.size(), false);
  for (std::size_t k = 0; k < result_.selected.size(); ++k) {
    result_.selected[k] = SendMessageW(list, LB_GETSEL, k, 0) > 0;
  }
  End(IDOK);
}

}  // namespace velumbrino
