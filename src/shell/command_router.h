#pragma once
// Runs the commands of both popup menus: tray commands on the program, note commands on the
// note whose menu was opened (AppState::current_note_window).

#include <string>

#include "shell/app_state.h"
#include "shell/menu_model.h"
#include "store/note_collection.h"

namespace velumbrino {

// What the commands need of the platform around them.
class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // The delete question; true for Yes.
  virtual bool ConfirmDeleteNote() = 0;
  virtual void PlaySoundFile(const std::string& path) = 0;
  virtual void ShowHelpTopic(const char* topic) = 0;
  virtual void ShowAbout() = 0;
  // Closes the controller window: the shutdown that saves every note.
  virtual void CloseProgram() = 0;
  virtual void ProcessPendingMessages() = 0;
  // The index could not be written, so no note was created.
  virtual void ReportSaveFailure() = 0;
};

class CommandRouter {
 public:
  CommandRouter(NoteCollection& notes, AppState& state, const DefaultFont& default_font,
                ShellServices& services, std::string app_folder);

  void Run(CommandId command);
  // The new-note command: the tray's double click, Shift+Ctrl+N and "Nova Nota".
  void NewNote();
  // The note menu's check marks and enabled items for the current note.
  NoteMenuStates PrepareNoteMenu();

 private:
  // The window at current_note_window, or nullptr when that position holds no note.
  NoteWindow* CurrentWindow();
  void SetVisibleAll(bool visible);
  void DeleteCurrentNote();
  void SetOpacity(NoteWindow& window, int level);
  void StoreColors(NoteWindow& window);

  NoteCollection& notes_;
  AppState& state_;
  const DefaultFont& default_font_;
  ShellServices& services_;
  std::string app_folder_;
};

}  // namespace velumbrino
