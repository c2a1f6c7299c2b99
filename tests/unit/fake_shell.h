#pragma once
// Fakes of what the commands need of the platform: the common dialogs and the shell services.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/common_dialogs.h"
#include "shell/command_router.h"

namespace velumbrino::testing {

// A dialog of either fake: its owner, and what runs while it is open.
struct FakeOpening {
  void Opened(WindowHandle owner) {
    owners.push_back(owner);
    if (while_open) while_open();
  }
  std::function<void()> while_open;
  std::vector<WindowHandle> owners;
};

class FakeDialogs : public CommonDialogs, public FakeOpening {
 public:
  std::optional<Color> ShowColorDialog(WindowHandle owner, Color, bool) override {
    return Opened(owner), color_choice;
  }
  void ShowOpenDialog(DialogSettings& settings) override { Choose(settings); }
  void ShowSaveDialog(DialogSettings& settings) override { Choose(settings); }
  void Choose(DialogSettings& settings) {
    requests.push_back(settings);
    if (file_choice) settings.file_name = *file_choice;
  }

  bool ShowFontDialog(DialogSettings& settings, bool no_effects) override {
    font_requests.push_back(settings);
    font_no_effects = no_effects;
    if (while_open) while_open();
    if (font_choice) font_choice(settings);
    return static_cast<bool>(font_choice);
  }
  bool ShowPrinterDialog(DialogSettings& settings, std::uint32_t) override {
    return Opened(reinterpret_cast<WindowHandle>(settings.owner_window)), printer_confirmed;
  }

  std::optional<Color> color_choice;
  // What the font dialog does to the fields when confirmed; empty: cancel.
  std::function<void(DialogSettings&)> font_choice;
  bool font_no_effects = true, printer_confirmed = false;
  std::optional<std::string> file_choice;  // what the file dialogs answer; nullopt: cancel
  std::vector<DialogSettings> requests, font_requests;
};

class FakeServices : public ShellServices, public FakeOpening {
 public:
  bool ConfirmDeleteNote() override { return false; }
  void PlaySoundFile(const std::string& path) override { sounds.push_back(path); }
  void ShowHelpTopic(const char*) override {}
  void ShowAbout() override {}
  void CloseProgram() override {}
  void ReportNewNoteRefused() override { ++refusals; }
  CommonDialogs& Dialogs() override { return dialogs; }
  std::optional<std::string> AskNoteTitle(WindowHandle owner, const std::string& title) override {
    titles_shown.push_back(title);
    return Opened(owner), title_answer;
  }
  std::optional<std::string> ChooseDateTimeText(WindowHandle owner) override {
    return Opened(owner), date_time_answer;
  }
  NoteListChoice ChooseFromNoteList(NoteListMode mode, const NoteListModel& list) override {
    list_modes.push_back(mode), lists_shown.push_back(list);
    if (while_open) while_open();
    return list_answer;
  }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    return true;
  }
  void ShowAlarmDialog(int note_number) override { alarm_dialogs.push_back(note_number); }

  FakeDialogs dialogs;
  std::optional<std::string> title_answer, date_time_answer;
  NoteListChoice list_answer;
  std::vector<NoteListMode> list_modes;
  std::vector<NoteListModel> lists_shown;
  std::vector<std::string> titles_shown, warnings, questions, problems, sounds, printed_titles;
  int font_questions = 0, refusals = 0;
  bool AskMakeDefaultFont() override { return ++font_questions < 0; }  // always "No"
  void SetDefaultFont(const DefaultFont& font) override { default_fonts.push_back(font); }
  char DecimalSeparator() override { return ','; }
  std::string DocumentsFolder() override { return "C:\\users\\ana\\Documents"; }
  FileRead ReadTextFile(const std::string& path) override {
    const auto it = files.find(path);
    return it == files.end() ? FileRead{{}, FileProblem::kNotFound} : FileRead{it->second, {}};
  }
  std::optional<FileProblem> WriteTextFile(const std::string& path,
                                           std::string_view bytes) override {
    if (!write_problem) files[path] = bytes;
    return write_problem;
  }
  void ReportFileProblem(const std::string& message) override { problems.push_back(message); }
  void PrintNote(const std::string& title, const std::vector<std::string>&) override {
    printed_titles.push_back(title);
  }

  std::vector<DefaultFont> default_fonts;
  std::map<std::string, std::string> files;  // path -> bytes
  std::optional<FileProblem> write_problem;
  std::vector<int> alarm_dialogs;
};

}  // namespace velumbrino::testing
