#include "shell/command_router.h"

#include "dialogs/delete_notes.h"
#include "note/note_style.h"
#include "store/note_keys.h"
#include "ui_strings.h"

namespace velumbrino {

CommandRouter::CommandRouter(NoteCollection& notes, AppState& state,
                             const DefaultFont& default_font, ShellServices& services,
                             std::string app_folder)
    : notes_(notes),
      state_(state),
      default_font_(default_font),
      services_(services),
      app_folder_(std::move(app_folder)) {}

void CommandRouter::Run(CommandId command, int note_number) {
  const CommandRow* row = FindCommand(command);
  if (row && row->run) (this->*(row->run))(command, note_number);
}

NoteWindow* CommandRouter::Note(int note_number) {
  const int position = notes_.FindNoteWindow(note_number);
  return position > 0 ? &notes_.At(position) : nullptr;
}

NoteWindow* CommandRouter::ChangeableNote(int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window || !notes_.StoredBodyKept(note_number)) return window;
  services_.ShowWarning(TXT_BODY_PROTECTED);
  return nullptr;
}

MenuContext CommandRouter::TrayMenuContext() {
  MenuContext context;
  for (int position = 1; position <= notes_.Count(); ++position) {
    ++(notes_.At(position).Visible() ? context.visible_notes : context.hidden_notes);
  }
  return context;
}

MenuContext CommandRouter::NoteMenuContext(int note_number) {
  MenuContext context = TrayMenuContext();
  const NoteSettings settings(notes_.Settings(), note_number);
  context.pinned = StoredBooleanValue(settings.Read(NoteKey::kOnTop, "False"));
  context.opacity_level = ParseOpacityLevel(settings.Read(NoteKey::kOpacidade, "10"));
  if (NoteWindow* window = Note(note_number)) context.selection_length = window->SelectionLength();
  return context;
}

void CommandRouter::NewNote() {
  const int number = notes_.NextNoteNumber();
  if (number == 0) {
    services_.ReportNewNoteRefused();
    return;
  }
  NoteWindow& window =
      notes_.CreateNote(std::to_string(number), state_.app_ready.IsReady(), default_font_);
  // Ready for typing at once, whether it came from the key combination or the tray.
  window.FocusBody();
  services_.PlaySoundFile(app_folder_ + "novo.wav");
}

void CommandRouter::FocusFirstShown(const std::vector<VisibilityStep>& plan) {
  int first = 0;
  for (const VisibilityStep& step : plan) {
    if (step.visible && (first == 0 || step.position < first)) first = step.position;
  }
  if (first >= 1 && first <= notes_.Count() && notes_.At(first).Visible()) {
    notes_.At(first).FocusBody();
  }
}

void CommandRouter::SetVisibleAll(bool visible) {
  // No message processing between the windows: a command run from there could add or
  // delete notes under this loop.
  for (int position = 1; position <= notes_.Count(); ++position) {
    notes_.At(position).SetVisible(visible);
  }
}

void CommandRouter::SetOpacity(NoteWindow& window, int note_number, int level) {
  window.SetOpacity(OpacityAlpha(level));
  NoteSettings(notes_.Settings(), note_number).Write(NoteKey::kOpacidade, std::to_string(level));
}

void CommandRouter::StoreColors(NoteWindow& window, int note_number) {
  NoteSettings(notes_.Settings(), note_number)
      .Apply({{NoteKey::kColor1, std::to_string(window.BackColor())},
              {NoteKey::kColor2, std::to_string(window.BodyColor())}});
}

void CommandRouter::NewNoteCommand(CommandId, int) { NewNote(); }
void CommandRouter::ShowAllCommand(CommandId, int) {
  SetVisibleAll(true);
  FocusFirstShown(ShowAllPlan(notes_.Count()));
}
void CommandRouter::HideAllCommand(CommandId, int) { SetVisibleAll(false); }
void CommandRouter::HelpCommand(CommandId id, int) {
  services_.ShowHelpTopic(id == CommandId::kSupport ? "suporte.htm" : "velumbrino.htm");
}
void CommandRouter::AboutCommand(CommandId, int) { services_.ShowAbout(); }
void CommandRouter::CloseCommand(CommandId, int) { services_.CloseProgram(); }

void CommandRouter::PinCommand(CommandId, int note_number) {
  if (const int position = notes_.FindNoteWindow(note_number)) notes_.TogglePin(position);
}

void CommandRouter::HideNoteCommand(CommandId, int note_number) {
  if (NoteWindow* window = Note(note_number)) window->SetVisible(false);
}

void CommandRouter::DeleteNoteCommand(CommandId, int note_number) {
  if (!Note(note_number) || !services_.ConfirmDeleteNote()) return;
  // Looked for again: the note may have gone while the question was open.
  if (notes_.FindNoteWindow(note_number) == 0) return;
  services_.PlaySoundFile(app_folder_ + "excluir.wav");
  // As from the delete dialog: a body that cannot go to the bin keeps its note, and the user
  // is told, so no body is left behind for a later note of that number.
  const std::string problem = DeleteFailureMessage(DeleteNotes(notes_, {note_number}));
  if (!problem.empty()) services_.ShowWarning(problem);
}

void CommandRouter::AlarmCommand(CommandId, int note_number) {
  if (Note(note_number)) services_.ShowAlarmDialog(note_number);
}

void CommandRouter::ClassicCommand(CommandId, int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window) return;
  window->SetBackColor(kClassicWindowColor);
  window->SetBodyColor(kClassicBodyColor);
  StoreColors(*window, note_number);
  SetOpacity(*window, note_number, 10);
}

void CommandRouter::CustomColorCommand(CommandId, int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window) return;
  const auto chosen = services_.Dialogs().ShowColorDialog(window->Handle(), window->BodyColor(),
                                                      /*full_open=*/true);
  // The dialog was modal: the colours go to the note captured when the menu opened, if it
  // is still there.
  window = Note(note_number);
  if (!window) return;
  if (chosen) {
    window->SetBodyColor(*chosen);
    window->SetBackColor(CustomWindowColor(*chosen));
  }
  // Stored also after a cancel: the colours the note has.
  StoreColors(*window, note_number);
}

void CommandRouter::OpacityCommand(CommandId id, int note_number) {
  if (NoteWindow* window = Note(note_number)) SetOpacity(*window, note_number, OpacityLevelOf(id));
}

void CommandRouter::BodyEditCommand(CommandId id, int note_number) {
  const bool changes = id == CommandId::kUndo || id == CommandId::kCut || id == CommandId::kPaste;
  NoteWindow* window = changes ? ChangeableNote(note_number) : Note(note_number);
  if (!window) return;
  switch (id) {
    case CommandId::kUndo: window->EditBody(NoteWindow::BodyEdit::kUndo); break;
    case CommandId::kCut: window->EditBody(NoteWindow::BodyEdit::kCut); break;
    case CommandId::kCopy: window->EditBody(NoteWindow::BodyEdit::kCopy); break;
    case CommandId::kPaste: window->EditBody(NoteWindow::BodyEdit::kPaste); break;
    case CommandId::kSelectAll: window->EditBody(NoteWindow::BodyEdit::kSelectAll); break;
    default: break;
  }
}

void CommandRouter::TitleCommand(CommandId, int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window) return;
  const auto title = services_.AskNoteTitle(window->Handle(), window->Title());
  window = Note(note_number);
  if (window && title) window->SetTitle(*title);
}

void CommandRouter::DateTimeCommand(CommandId, int note_number) {
  NoteWindow* window = ChangeableNote(note_number);
  if (!window) return;
  const auto text = services_.ChooseDateTimeText(window->Handle());
  window = Note(note_number);
  if (!window || !text) return;
  window->ReplaceSelection(*text);
  // Back to typing where the text went in.
  window->FocusBody();
}

void CommandRouter::ShowSelectedCommand(CommandId, int) {
  const NoteListModel list = ShowNotesList(notes_);
  const NoteListChoice choice = services_.ChooseFromNoteList(NoteListMode::kShow, list);
  // Entries stand for positions: they only mean the same notes while the count is the same.
  if (choice.action == NoteListAction::kCancel || notes_.Count() != std::ssize(list.entries)) {
    return;
  }
  // No message processing between the windows (see SetVisibleAll).
  const std::vector<VisibilityStep> plan = choice.action == NoteListAction::kAll
                                               ? ShowAllPlan(notes_.Count())
                                               : ShowSelectedPlan(choice.selected);
  ApplyVisibilityPlan(notes_, plan);
  FocusFirstShown(plan);
}

void CommandRouter::DeleteNotesCommand(CommandId, int) {
  const NoteListModel list = DeleteNotesList(notes_);
  const NoteListChoice choice = services_.ChooseFromNoteList(NoteListMode::kDelete, list);
  if (choice.action == NoteListAction::kCancel || notes_.Count() != std::ssize(list.entries)) {
    return;
  }
  // No confirmation and no sound: the dialog itself was the question.
  const DeleteOutcome outcome =
      choice.action == NoteListAction::kAll
          ? DeleteAllNotes(notes_)
          : DeleteNotes(notes_, DeleteSelectedPlan(notes_, choice.selected));
  const std::string problem = DeleteFailureMessage(outcome);
  if (!problem.empty()) services_.ShowWarning(problem);
}

}  // namespace velumbrino
