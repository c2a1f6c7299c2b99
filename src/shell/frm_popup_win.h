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
#include "store/note_collection.h"

namespace velumbrino {

class NoteWindowFactoryWin;

class FrmPopup : public WindowBase, public NoteWindowHost {
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
  // Tells the user once per run that notes could not be written, and where.
  void ReportSaveFailure();
  void ProcessPendingMessages();

  AppState state_;
  DefaultFont default_font_;
  RegistryPreferences preferences_;
  SystemClock clock_;
  std::unique_ptr<NoteWindowFactoryWin> factory_;
  std::unique_ptr<NoteCollection> notes_;
  bool first_run_ = false;
  bool save_failure_reported_ = false;
  bool shutting_down_ = false;
};

}  // namespace velumbrino
