// The note commands that open a common dialog and then work on the body: font, print, load
// from and save to a text file. Each finds its note again after the dialog, since the note
// may have been deleted while it was open.

#include <cstdint>

#include "note/font_settings.h"
#include "note/save_path.h"
#include "platform/dialog_settings.h"
#include "platform/file_problem.h"
#include "shell/command_router.h"
#include "store/text_file_encoding.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

std::uintptr_t OwnerOf(const NoteWindow& window) {
  return reinterpret_cast<std::uintptr_t>(window.Handle());
}

}  // namespace

void CommandRouter::FontCommand(CommandId, int note_number) {
  NoteWindow* window = ChangeableNote(note_number);
  if (!window) return;
  DialogSettings& settings = SharedDialogSettings();
  ReadSelectionFont(window->GetSelectionFont(), settings);
  // Owned by the note, so the dialog stays in front of it and the note cannot be used
  // meanwhile.
  settings.owner_window = OwnerOf(*window);
  const bool confirmed = services_.Dialogs().ShowFontDialog(settings, /*no_effects=*/false);
  // A cancel leaves the text alone: applying the fields again would give a mixed selection
  // the attributes of the dialog's last use.
  if (!confirmed) return;
  window = Note(note_number);
  if (!window) return;
  window->SetSelectionFont(ToSelectionFont(settings));

  if (!services_.AskMakeDefaultFont()) return;
  window = Note(note_number);
  if (!window) return;
  DefaultFont font = default_font_;
  ReadSelectionFont(window->GetSelectionFont(), services_.DecimalSeparator(), font);
  services_.SetDefaultFont(font);
}

void CommandRouter::PrintCommand(CommandId, int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window) return;
  DialogSettings& settings = SharedDialogSettings();
  settings.owner_window = OwnerOf(*window);
  if (!services_.Dialogs().ShowPrinterDialog(settings, /*flags=*/0)) return;
  window = Note(note_number);
  if (!window) return;
  services_.PrintNote(window->Title(), window->BodyLines());
}

void CommandRouter::LoadFileCommand(CommandId, int note_number) {
  NoteWindow* window = ChangeableNote(note_number);
  if (!window) return;
  DialogSettings& settings = SharedDialogSettings();
  PrepareTextFileDialog(OwnerOf(*window), services_.DocumentsFolder(), settings);
  services_.Dialogs().ShowOpenDialog(settings);
  if (settings.file_name.empty()) return;
  const std::string path = settings.file_name;

  ShellServices::FileRead read = services_.ReadTextFile(path);
  if (read.problem) {
    services_.ReportFileProblem(FileProblemMessage(FileOperation::kLoad, *read.problem, path));
    return;
  }
  LoadedTextFile loaded = DecodeTextFile(read.bytes);
  if (loaded.refusal != TextFileRefusal::kNone) {
    services_.ReportFileProblem(
        FileProblemMessage(FileOperation::kLoad, FileProblemFromRefusal(loaded.refusal), path));
    return;
  }
  // Found again only now: the message boxes above are modal too.
  window = Note(note_number);
  if (!window) return;
  // The load replaces the whole body and cannot be undone: one wrong pick in the file dialog
  // must not cost the note's text.
  const std::string current = window->BodyText();
  if (current.find_first_not_of(" \t\r\n") != std::string::npos) {
    if (!services_.AskYesNo(TXT_LOAD_REPLACES_TEXT)) return;
    window = Note(note_number);
    if (!window) return;
  }
  if (loaded.rich_text) {
    window->ReplaceBodyWithRtf(loaded.text);
  } else {
    window->ReplaceBodyWithText(loaded.text);
  }
}

void CommandRouter::SaveFileCommand(CommandId, int note_number) {
  NoteWindow* window = Note(note_number);
  if (!window) return;
  DialogSettings& settings = SharedDialogSettings();
  PrepareTextFileDialog(OwnerOf(*window), services_.DocumentsFolder(), settings);
  // The dialog asks before replacing the file it names; the program asks when the ".txt"
  // it adds makes the name of another existing file.
  settings.flags |= kOverwritePromptFlag;
  services_.Dialogs().ShowSaveDialog(settings);
  if (settings.file_name.empty()) return;
  const std::string path = TextFileSavePath(settings.file_name);
  if (path != settings.file_name && notes_.Files().FileExists(path) &&
      !services_.AskYesNo(FormatText(TXT_SAVE_REPLACES_FILE, path))) {
    return;
  }
  window = Note(note_number);
  if (!window) return;
  const EncodedTextFile file = EncodeTextFile(window->BodyText());
  if (const auto problem = services_.WriteTextFile(path, file.bytes)) {
    services_.ReportFileProblem(FileProblemMessage(FileOperation::kSave, *problem, path));
  }
}

}  // namespace velumbrino
