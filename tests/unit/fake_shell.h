#pragma once
// Fakes of what the commands need of the platform: the common dialogs and the shell services.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/common_dialogs.h"
#include "shell/command_router.h"

namespace velumbrino::testing {

class FakeDialogs : public CommonDialogs {
 public:
  std::optional<Color> ShowColorDialog(WindowHandle owner, Color initial, bool full_open) override {
    owners.push_back(owner);
    if (while_open) while_open();
    return color_choice;
  }
  void ShowOpenDialog(DialogSettings& settings) override { Choose(settings); }
  void ShowSaveDialog(DialogSettings& settings) override { Choose(settings); }
  void Choose(DialogSettings& settings) {
    requests.push_back(settings);
    if (file_choice) settings.file_name = *file_choice;
  }

  std::optional<Color> color_choice;
  std::optional<std::string> file_choice;  // what the file dialogs answer; nullopt: cancel
  std::vector<DialogSettings> requests;
  std::function<void()> while_open;
  std::vector<WindowHandle> owners;
};

class FakeServices : public ShellServices {
 public:
  bool ConfirmDeleteNote() override {
    ++questions;
    return answer_yes;
  }
  void PlaySoundFile(const std::string& path) override { sounds.push_back(path); }
  void ShowHelpTopic(const char* topic) override { topics.emplace_back(topic); }
  void ShowAbout() override { ++abouts; }
  void CloseProgram() override { ++closes; }
  void ReportNewNoteRefused() override { ++refusals; }
  CommonDialogs& Dialogs() override { return dialogs; }
  std::optional<std::string> AskNoteTitle(WindowHandle owner, const std::string& title) override {
    owners.push_back(owner);
    titles_shown.push_back(title);
    if (while_open) while_open();
    return title_answer;
  }
  std::optional<std::string> ChooseDateTimeText(WindowHandle owner) override {
    owners.push_back(owner);
    if (while_open) while_open();
    return date_time_answer;
  }
  NoteListChoice ChooseFromNoteList(NoteListMode mode, const NoteListModel& list) override {
    list_modes.push_back(mode);
    lists_shown.push_back(list);
    if (while_open) while_open();
    return list_answer;
  }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void ShowAlarmDialog(int note_number) override { alarm_dialogs.push_back(note_number); }

  FakeDialogs dialogs;
  // What the note dialogs answer, and what runs while one of them is open.
  std::optional<std::string> title_answer, date_time_answer;
  NoteListChoice list_answer;
  std::function<void()> while_open;
  std::vector<WindowHandle> owners;
  std::vector<std::string> titles_shown, warnings;
  std::vector<NoteListMode> list_modes;
  std::vector<NoteListModel> lists_shown;
  bool answer_yes = false;
  int questions = 0, abouts = 0, closes = 0, refusals = 0;
  std::vector<std::string> sounds, topics;
  std::vector<int> alarm_dialogs;
};

}  // namespace velumbrino::testing
