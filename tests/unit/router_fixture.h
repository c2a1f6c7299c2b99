#pragma once
// A command router over a data folder of notes in fake windows, with every service faked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_note_window.h"
#include "fake_shell.h"
#include "platform/dialog_settings.h"
#include "shell/command_router.h"
#include "temp_folder.h"

namespace velumbrino::testing {

class RouterTest : public ::testing::Test {
 protected:
  // Notes 1 to 3, each in the index, with a body file and a window; the program is ready.
  RouterTest() {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    for (const std::string tag : {"1", "2", "3"}) {
      notes_.CreateNote(tag, false, {});
      dir_.Write("stickie" + tag + ".vmb", "{\\rtf1 corpo " + tag + "}");
    }
    state_.app_ready.MarkStarted();
    SharedDialogSettings() = {};  // the file commands keep their last dialog's fields there
  }
  FakeNoteState& Note(int index) { return *factory_.created[static_cast<size_t>(index)]; }
  std::string Ini(const std::string& section, const std::string& key) {
    return notes_.Settings().ReadIniValue(section, key, "<none>");
  }
  std::vector<bool> Visibility() {
    std::vector<bool> visible;
    for (int p = 1; p <= notes_.Count(); ++p) visible.push_back(notes_.At(p).Visible());
    return visible;
  }
  // The file or font dialog deletes the note while it is open.
  void DeleteWhileOpen(int number) {
    services_.dialogs.while_open = [this, number] {
      if (const int position = notes_.FindNoteWindow(number)) notes_.DeleteNote(number, position);
    };
  }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  NoteCollection notes_{StdFileSystem(), factory_, dir_.Path()};
  AppState state_;
  DefaultFont font_;
  FakeServices services_;
  CommandRouter router_{notes_, state_, font_, services_, "C:\\Velumbrino\\"};
};

}  // namespace velumbrino::testing
