#pragma once
// The hidden controller window: start-up, the notes' host, and the shutdown that saves
// everything. Its closing is the end of the program.

#include <memory>
#include <string>

#include "alarm/alarm_signal_win.h"
#include "note/note_window_host.h"
#include "platform/clock_win.h"
#include "platform/common_dialogs_win.h"
#include "platform/registry_win.h"
#include "platform/window_base_win.h"
#include "shell/app_state.h"
#include "shell/command_router.h"
#include "shell/key_combination.h"
#include "shell/lifecycle.h"
#include "shell/popup_menu_win.h"
#include "shell/tray_decode.h"
#include "shell/tray_icon_win.h"
#include "store/note_collection.h"

namespace velumbrino {

class NoteWindowFactoryWin;

class FrmPopup : public WindowBase,
                 public NoteWindowHost,
                 private ShellServices,
                 private LifecycleHost {
 public:
  explicit FrmPopup(DefaultFont default_font);
  ~FrmPopup() override;

  // Creates the hidden window, prepares the data folder (Documents\Velumbrino unless another
  // is given, with its trailing backslash) and restores every note.
  bool Start(const std::string& data_folder = {});

  // NoteWindowHost
  bool AppReady() const override { return state_.app_ready.IsReady(); }
  void BodyPressed(NoteWindow& note, bool right_button, int screen_x, int screen_y) override;
  void PinClicked(NoteWindow& note) override;
  void NoteNeedsSave(NoteWindow& note) override;
  void AlarmCheckTick(NoteWindowWin& note) override;
  void BlinkTick(NoteWindowWin& note) override;
  void StopBlinking(NoteWindowWin& note) override;
  void NoteClosing(NoteWindowWin& note) override;

 protected:
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void Shutdown();
  void OnTrayNotification(UINT notification);
  void OnKeyCombinationTick();
  // One note of the restore each tick; AppReady turns true after the last.
  void OnRestoreTick();
  void OpenTrayMenu();
  // The note menu of the note whose body was right-pressed; its command works on that note.
  void OpenNoteMenu(int screen_x, int screen_y);
  // Shows a menu with AppReady cleared (no tray or key combination while it is open) and runs
  // the chosen command on `note_number`.
  void TrackAndRun(PopupMenu& menu, const MenuContext& context, int x, int y, int note_number);
  void ShowSaveFailureBox();

  // LifecycleHost
  void ReportSetAsideBody(int number) override;
  void ReportNotesCameBack(const std::string& notice) override;
  void RestoreFinished() override;
  bool RetryHeldFile(const std::string& file_name) override;

  // ShellServices
  bool ConfirmDeleteNote() override;
  void PlaySoundFile(const std::string& path) override;
  void ShowHelpTopic(const char* topic) override;
  void ShowAbout() override;
  void CloseProgram() override;
  void ReportNewNoteRefused() override;
  CommonDialogs& Dialogs() override { return dialogs_; }
  std::optional<std::string> AskNoteTitle(WindowHandle owner, const std::string& title) override;
  std::optional<std::string> ChooseDateTimeText(WindowHandle owner) override;
  NoteListChoice ChooseFromNoteList(NoteListMode mode, const NoteListModel& list) override;
  void ShowWarning(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  void ShowAlarmDialog(int note_number) override;
  // Font, print and text-file services (frm_popup_files_win.cpp).
  bool AskMakeDefaultFont() override;
  void SetDefaultFont(const DefaultFont& font) override;
  char DecimalSeparator() override;
  std::string DocumentsFolder() override;
  FileRead ReadTextFile(const std::string& path) override;
  std::optional<FileProblem> WriteTextFile(const std::string& path,
                                           std::string_view bytes) override;
  void ReportFileProblem(const std::string& message) override;
  void PrintNote(const std::string& title, const std::vector<std::string>& body_lines) override;
  // Tells the user once per run that notes could not be written, and where.
  void ReportSaveFailure() override;

  AppState state_;
  DefaultFont default_font_;
  RegistryPreferences preferences_;
  SystemClock clock_;
  CommonDialogsWin dialogs_{state_.app_ready};
  std::unique_ptr<NoteWindowFactoryWin> factory_;
  std::unique_ptr<NoteCollection> notes_;
  std::unique_ptr<CommandRouter> router_;
  std::unique_ptr<AlarmSignal> alarms_;
  std::unique_ptr<Lifecycle> lifecycle_;
  std::unique_ptr<TrayIcon> tray_;
  TrayDecoder tray_decoder_;
  PopupMenu tray_menu_;
  PopupMenu note_menu_;
  KeyCombinationEdge key_combination_;
  std::string app_folder_;
  bool first_run_ = false;
  bool save_failure_reported_ = false;
};

}  // namespace velumbrino
