// The dialogs, boxes and notices the controller opens for the commands and the run.

#include "shell/frm_popup_win.h"

#include "alarm/alarm_dialog_win.h"
#include "dialogs/insert_date_time_win.h"
#include "dialogs/note_list_dialogs_win.h"
#include "note/title_dialog_win.h"
#include "platform/help_win.h"
#include "platform/message_box_win.h"
#include "platform/sound_win.h"
#include "platform/wide_string_win.h"
#include "shell/about_win.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

bool FrmPopup::ConfirmDeleteNote() {
  return ShowMessageBox(state_.app_ready, hwnd(), TXT_CONFIRM_DELETE_NOTE, TXT_MESSAGE_TITLE,
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST) == IDYES;
}

void FrmPopup::PlaySoundFile(const std::string& path) { velumbrino::PlaySoundFile(Widen(path)); }

void FrmPopup::ShowHelpTopic(const char* topic) {
  velumbrino::ShowHelpTopic(hwnd(), state_.app_ready, Widen(app_folder_), Widen(topic).c_str());
}

void FrmPopup::ShowAbout() {
  ShowAboutBox(hwnd(), state_.app_ready);
}

std::optional<std::string> FrmPopup::AskNoteTitle(WindowHandle owner, const std::string& title) {
  TitleDialog dialog(clock_, title);
  return dialog.Ask(static_cast<HWND>(owner), state_.app_ready);
}

std::optional<std::string> FrmPopup::ChooseDateTimeText(WindowHandle owner) {
  InsertDateTimeDialog dialog(clock_);
  return dialog.Choose(static_cast<HWND>(owner), state_.app_ready);
}

NoteListChoice FrmPopup::ChooseFromNoteList(NoteListMode mode, const NoteListModel& list) {
  NoteListDialog dialog(mode, list, Widen(app_folder_));
  return dialog.Choose(hwnd(), state_.app_ready);
}

void FrmPopup::ShowWarning(const std::string& text) {
  ShowMessageBox(state_.app_ready, hwnd(), text, TXT_MESSAGE_TITLE,
                 MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

bool FrmPopup::AskYesNo(const std::string& question) {
  return ShowMessageBox(state_.app_ready, hwnd(), question, TXT_MESSAGE_TITLE,
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST) == IDYES;
}

void FrmPopup::ShowAlarmDialog(int note_number) {
  if (notes_->FindNoteWindow(note_number) == 0) return;
  AlarmDialog dialog(NoteSettings(notes_->Settings(), note_number), clock_, app_folder_,
                     state_.app_ready, dialogs_);
  const std::optional<bool> timer_enabled = dialog.Run(hwnd());
  // Found again after the dialog: the note may have been deleted while it was open.
  const int position = notes_->FindNoteWindow(note_number);
  if (timer_enabled && position > 0) notes_->At(position).SetAlarmTimerEnabled(*timer_enabled);
}

bool FrmPopup::RetryHeldFile(const std::string& file_name) {
  return ShowMessageBox(state_.app_ready, hwnd(), FormatText(TXT_STORE_FILE_HELD, file_name),
                        TXT_MESSAGE_TITLE, MB_RETRYCANCEL | MB_ICONWARNING | MB_TOPMOST) ==
         IDRETRY;
}

void FrmPopup::ReportSaveFailure() {
  if (save_failure_reported_) return;
  save_failure_reported_ = true;
  ShowSaveFailureBox();
}

void FrmPopup::ReportNewNoteRefused() {
  // The user asked for a note and must hear why there is none: the whole explanation the
  // first time, a short balloon after that. The next request tries again.
  if (!save_failure_reported_) {
    ReportSaveFailure();
  } else if (tray_) {
    tray_->ShowBalloon(Widen(TXT_MESSAGE_TITLE), Widen(TXT_NEW_NOTE_REFUSED), NIIF_WARNING,
                       10000);
  }
}

void FrmPopup::ReportSetAsideBody(int number) {
  const int position = notes_->FindNoteWindow(number);
  // Set aside notes the index no longer names have nothing to show.
  if (position == 0 || !tray_) return;
  const std::string text =
      SetAsideNotice(notes_->At(position).Title(), notes_->BodyPath(std::to_string(number)));
  tray_->ShowBalloon(Widen(TXT_MESSAGE_TITLE), Widen(text), NIIF_WARNING, 30000);
}

void FrmPopup::ReportNotesCameBack(const std::string& notice) {
  if (tray_) tray_->ShowBalloon(Widen(TXT_MESSAGE_TITLE), Widen(notice), NIIF_INFO, 30000);
}

void FrmPopup::ShowSaveFailureBox() {
  const std::string text = std::string(TXT_SAVE_FAILURE) + "\n\n" + notes_->DataFolderPath() +
                           "\n\n" + TXT_SAVE_FAILURE_ADVICE;
  ShowMessageBox(state_.app_ready, nullptr, text, TXT_MESSAGE_TITLE,
                 MB_OK | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
}

}  // namespace velumbrino
