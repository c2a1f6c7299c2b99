#include "shell/command_router.h"

#include "note/note_style.h"

namespace velumbrino {

CommandRouter::CommandRouter(NoteCollection& notes, AppState& state,
                             const DefaultFont& default_font, ShellServices& services,
                             std::string app_folder)
    : notes_(notes),
      state_(state),
      default_font_(default_font),
      services_(services),
      app_folder_(std::move(app_folder)) {}

NoteWindow* CommandRouter::CurrentWindow() {
  const int position = state_.current_note_window;
  return position >= 1 && position <= notes_.Count() ? &notes_.At(position) : nullptr;
}

void CommandRouter::NewNote() {
  const int number = notes_.NextNoteNumber();
  if (number == 0) {
    services_.ReportSaveFailure();
    return;
  }
  notes_.CreateNote(std::to_string(number), state_.app_ready, default_font_);
  services_.PlaySoundFile(app_folder_ + "novo.wav");
}

NoteMenuStates CommandRouter::PrepareNoteMenu() {
  const std::string number = std::to_string(state_.current_note_number);
  NoteWindow* window = CurrentWindow();
  return NoteMenuState(notes_.Settings().ReadIniValue(number, "OnTop", "False"),
                       notes_.Settings().ReadIniValue(number, "Opacidade", "10"),
                       window ? window->SelectionLength() : 0);
}

void CommandRouter::SetVisibleAll(bool visible) {
  for (int position = 1; position <= notes_.Count(); ++position) {
    notes_.At(position).SetVisible(visible);
    services_.ProcessPendingMessages();
  }
}

void CommandRouter::DeleteCurrentNote() {
  if (!services_.ConfirmDeleteNote()) return;
  services_.PlaySoundFile(app_folder_ + "excluir.wav");
  notes_.DeleteNote(state_.current_note_number, state_.current_note_window);
}

void CommandRouter::SetOpacity(NoteWindow& window, int level) {
  window.SetOpacity(OpacityAlpha(level));
  notes_.Settings().WriteKey(std::to_string(state_.current_note_number), "Opacidade",
                             std::to_string(level));
}

void CommandRouter::StoreColors(NoteWindow& window) {
  const std::string section = std::to_string(state_.current_note_number);
  notes_.Settings().Apply({{section, "Color1", std::to_string(window.BackColor())},
                           {section, "Color2", std::to_string(window.BodyColor())}});
}

namespace {

// The body's own editing commands, by menu item.
std::optional<NoteWindow::BodyEdit> BodyEditOf(CommandId command) {
  switch (command) {
    case CommandId::kUndo: return NoteWindow::BodyEdit::kUndo;
    case CommandId::kCut: return NoteWindow::BodyEdit::kCut;
    case CommandId::kCopy: return NoteWindow::BodyEdit::kCopy;
    case CommandId::kPaste: return NoteWindow::BodyEdit::kPaste;
    case CommandId::kSelectAll: return NoteWindow::BodyEdit::kSelectAll;
    default: return std::nullopt;
  }
}

}  // namespace

void CommandRouter::Run(CommandId command) {
  switch (command) {
    case CommandId::kNewNote:
      NewNote();
      return;
    case CommandId::kShowAll:
      SetVisibleAll(true);
      return;
    case CommandId::kHideAll:
      SetVisibleAll(false);
      return;
    case CommandId::kHelp:
      services_.ShowHelpTopic("velumbrino.htm");
      return;
    case CommandId::kSupport:
      services_.ShowHelpTopic("suporte.htm");
      return;
    case CommandId::kAbout:
      services_.ShowAbout();
      return;
    case CommandId::kClose:
      services_.CloseProgram();
      return;
    default:
      break;
  }

  // Note commands: the note whose menu was opened.
  NoteWindow* window = CurrentWindow();
  if (!window) return;
  if (const int level = OpacityLevelOf(command)) {
    SetOpacity(*window, level);
    return;
  }
  if (const auto edit = BodyEditOf(command)) {
    window->EditBody(*edit);
    return;
  }
  switch (command) {
    case CommandId::kPin:
      notes_.TogglePin(state_.current_note_window);
      break;
    case CommandId::kHideNote:
      window->SetVisible(false);
      break;
    case CommandId::kDeleteNote:
      DeleteCurrentNote();
      break;
    case CommandId::kClassic:
      window->SetBackColor(kClassicWindowColor);
      window->SetBodyColor(kClassicBodyColor);
      StoreColors(*window);
      SetOpacity(*window, 10);
      break;
    case CommandId::kCustomColor:
      if (const auto chosen = window->ChooseColor()) {
        window->SetBodyColor(*chosen);
        window->SetBackColor(CustomWindowColor(*chosen));
      }
      // Stored also after a cancel: the colours the note has.
      StoreColors(*window);
      break;
    default:
      break;  // commands whose features are not in the program yet
  }
}

}  // namespace velumbrino
