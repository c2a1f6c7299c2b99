#pragma once
// The hidden controller window: start-up, the notes' host, and the shutdown that saves
// everything. Its closing is the end of the program.

#include <memory>
#include <string>

#include "note/note_window_host.h"
#include "platform/clock_win.h"
#include "platform/registry_win.h"
#include "platform/window_base_win.h"
#include "shell/app_state.h"
#include "shell/command_router.h"
#include "shell/key_combination.h"
#include "shell/popup_menu_win.h"
#include "shell/tray_icon_win.h"
#include "store/note_collection.h"

namespace velumbrino {

class NoteWindowFactoryWin;

class FrmPopup : public WindowBase, public NoteWindowHost, private ShellServices {
 public:
  explicit FrmPopup(DefaultFont default_font);
  ~FrmPopup() override;

  // Creates the hidden window, prepares the data folder and restores every note.
  bool Start();

  // NoteWindowHost
  bool AppReady() const override { return state_.app_ready; }
  void BodyPressed(NoteWindow& note, bool right_button, int screen_x, int screen_y) override;
  void PinClicked(NoteWindow& note) override;
  void NoteNeedsSave(NoteWindow& note) override;

 protected:
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void Shutdown();
  void OnTrayNotification(UINT mouse_message);
  void OnKeyCombinationTick();
  void OpenTrayMenu();
  void OpenNoteMenu(int screen_x, int screen_y);
  // Runs `body` with AppReady false, as every dialog of the program does.
  template <typename Body>
  void WithDialogOpen(Body body);

  // ShellServices
  bool ConfirmDeleteNote() override;
  void PlaySoundFile(const std::string& path) override;
  void ShowHelpTopic(const char* topic) override;
  void ShowAbout() override;
  void CloseProgram() override;
  void ProcessPendingMessages() override;
  // Tells the user once per run that notes could not be written, and where.
  void ReportSaveFailure() override;

  AppState state_;
  DefaultFont default_font_;
  RegistryPreferences preferences_;
  SystemClock clock_;
  std::unique_ptr<NoteWindowFactoryWin> factory_;
  std::unique_ptr<NoteCollection> notes_;
  std::unique_ptr<CommandRouter> router_;
  std::unique_ptr<TrayIcon> tray_;
  PopupMenu tray_menu_;
  PopupMenu note_menu_;
  KeyCombinationEdge key_combination_;
  std::string app_folder_;
  bool first_run_ = false;
  bool restoring_ = false;
  bool save_failure_reported_ = false;
  bool shutting_down_ = false;
};

}  // namespace velumbrino
