#pragma once
// FrmMostrar and FrmExcluir: every open note listed by title, any number of entries chosen.
// The dialog only reports its button and the choice; the command carries it out after the
// dialog has closed. "&Ajuda" opens the dialog's help topic and keeps it open.

#include <windows.h>

#include <string>

#include "dialogs/note_list.h"
#include "dialogs/note_list_choice.h"
#include "platform/dialog_base_win.h"

namespace velumbrino {

class NoteListDialog : public DialogBase {
 public:
  // `app_folder` is where the help file lies.
  NoteListDialog(NoteListMode mode, const NoteListModel& list, std::wstring app_folder)
      : mode_(mode), list_(list), app_folder_(std::move(app_folder)) {}

  NoteListChoice Choose(HWND owner, AppReadyFlag& app_ready);

 protected:
  void OnInit() override;
  void OnCommand(int control_id, int notification) override;

 private:
  void Finish(NoteListAction action);

  NoteListMode mode_;
  const NoteListModel& list_;
  std::wstring app_folder_;
  AppReadyFlag* app_ready_ = nullptr;
  NoteListChoice result_;
};

}  // namespace velumbrino
