#pragma once
// Runs the commands of both popup menus: tray commands on the program, note commands on the
// note captured when its menu opened. Each command is one row of the command table and one
// handler here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/note_list.h"
#include "dialogs/note_list_choice.h"
#include "platform/common_dialogs.h"
#include "platform/file_problem.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "store/note_collection.h"

namespace velumbrino {

// What the commands need of the platform around them. Everything modal here clears AppReady
// while it is up.
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
  // The index could not be written, so the new note the user asked for was not created.
  // The user is always told: a message box the first time, a tray balloon after that.
  virtual void ReportNewNoteRefused() = 0;
  virtual CommonDialogs& Dialogs() = 0;
  // The note title dialog owned by the note window `owner`, starting from `title`: the text
  // it ended with after "Ok" (also empty), nullopt when it was closed any other way.
  virtual std::optional<std::string> AskNoteTitle(WindowHandle owner, const std::string& title) = 0;
  // The insert-date-and-time dialog: the sample chosen, nullopt when none was.
  virtual std::optional<std::string> ChooseDateTimeText(WindowHandle owner) = 0;
  // The show-notes or delete-notes dialog over `list`.
  virtual NoteListChoice ChooseFromNoteList(NoteListMode mode, const NoteListModel& list) = 0;
  // A warning the user has to read before going on.
  virtual void ShowWarning(const std::string& text) = 0;
  // A question whose safe answer is No (the default button); true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // The alarm dialog of that note; on OK it saves the alarm and sets the note's check timer.
  virtual void ShowAlarmDialog(int note_number) = 0;

  // Font command: the question whether the chosen font becomes the font of new notes (true
  // for Yes), and making it so for the rest of the run and for later runs.
  virtual bool AskMakeDefaultFont() = 0;
  virtual void SetDefaultFont(const DefaultFont& font) = 0;
  // The user's decimal separator, in which the default font's size is stored.
  virtual char DecimalSeparator() = 0;

  // Text files: the user's Documents folder, where the file dialogs open; reading a whole
  // file (refused before reading when it is too large); writing one atomically, so a failed
  // write leaves the file as it was; and telling the user why a file failed.
  struct FileRead {
    std::string bytes;
    std::optional<FileProblem> problem;
  };
  virtual std::string DocumentsFolder() = 0;
  virtual FileRead ReadTextFile(const std::string& path) = 0;
  virtual std::optional<FileProblem> WriteTextFile(const std::string& path,
                                                   std::string_view bytes) = 0;
  virtual void ReportFileProblem(const std::string& message) = 0;

  // Prints a note on the printer the printer dialog chose.
  virtual void PrintNote(const std::string& title, const std::vector<std::string>& body_lines) = 0;
};

class CommandRouter {
 public:
  CommandRouter(NoteCollection& notes, AppState& state, const DefaultFont& default_font,
                ShellServices& services, std::string app_folder);

  // Runs the command's handler; `note_number` is the note captured when its menu opened.
  void Run(CommandId command, int note_number = 0);
  // The new-note command: the tray's double click, Shift+Ctrl+N and "Nova Nota".
  void NewNote();
  // What the menus' states are computed from: the notes' visibility, and for a note menu
  // the note's stored pin and opacity and its body's selection.
  MenuContext TrayMenuContext();
  MenuContext NoteMenuContext(int note_number);

  // Handlers of the command table.
  void NewNoteCommand(CommandId, int);
  void ShowAllCommand(CommandId, int);
  void HideAllCommand(CommandId, int);
  void HelpCommand(CommandId id, int);
  void AboutCommand(CommandId, int);
  void CloseCommand(CommandId, int);
  void PinCommand(CommandId, int note_number);
  void HideNoteCommand(CommandId, int note_number);
  void DeleteNoteCommand(CommandId, int note_number);
  void ClassicCommand(CommandId, int note_number);
  void CustomColorCommand(CommandId, int note_number);
  void OpacityCommand(CommandId id, int note_number);
  void BodyEditCommand(CommandId id, int note_number);
  void TitleCommand(CommandId, int note_number);
  void DateTimeCommand(CommandId, int note_number);
  void ShowSelectedCommand(CommandId, int);
  void DeleteNotesCommand(CommandId, int);
  void AlarmCommand(CommandId, int note_number);
  void FontCommand(CommandId, int note_number);
  void PrintCommand(CommandId, int note_number);
  void LoadFileCommand(CommandId, int note_number);
  void SaveFileCommand(CommandId, int note_number);

 private:
  // The open window of that note, or nullptr when it has none (deleted meanwhile).
  NoteWindow* Note(int note_number);
  // The same for a command that changes the body: nullptr, with a word to the user, when the
  // body was not opened (unreadable or set aside) and must stay as it is stored.
  NoteWindow* ChangeableNote(int note_number);
  void SetVisibleAll(bool visible);
  // The first note (lowest position) the plan showed becomes active, caret in its body.
  void FocusFirstShown(const std::vector<VisibilityStep>& plan);
  void SetOpacity(NoteWindow& window, int note_number, int level);
  void StoreColors(NoteWindow& window, int note_number);

  NoteCollection& notes_;
  AppState& state_;
  const DefaultFont& default_font_;
  ShellServices& services_;
  std::string app_folder_;
};

}  // namespace velumbrino
