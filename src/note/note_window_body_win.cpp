// The note window's body: loading and saving it, the editing commands, and reading and
// replacing it as a whole for the font, print, load and save commands. Changes made by
// those commands are the user's: they are saved like an edit.

#include "note/note_window_win.h"

#include <richedit.h>

#include "platform/wide_string_win.h"

namespace velumbrino {

SelectionFont NoteWindowWin::GetSelectionFont() const {
  SelectionFont font;
  if (!body_) return font;
  if (const auto face = body_->SelFontName()) font.face = Narrow(*face);
  font.size = body_->SelFontSize();
  font.bold = body_->SelBold();
  font.italic = body_->SelItalic();
  font.underline = body_->SelUnderline();
  font.strikeout = body_->SelStrikeThru();
  if (const auto color = body_->SelColor()) font.color = static_cast<Color>(*color & 0x00FFFFFF);
  return font;
}

void NoteWindowWin::SetSelectionFont(const SelectionFont& font) {
  if (!body_) return;
  if (font.face) body_->SetSelFontName(Widen(*font.face));
  if (font.size) body_->SetSelFontSize(*font.size);
  if (font.bold) body_->SetSelBold(*font.bold);
  if (font.color) body_->SetSelColor(static_cast<COLORREF>(*font.color & 0x00FFFFFF));
  if (font.italic) body_->SetSelItalic(*font.italic);
  if (font.strikeout) body_->SetSelStrikeThru(*font.strikeout);
  if (font.underline) body_->SetSelUnderline(*font.underline);
  // A change of format alone sends no EN_CHANGE.
  NoteChanged();
}

std::string NoteWindowWin::BodyText() const { return body_ ? Narrow(body_->Text()) : ""; }

std::vector<std::string> NoteWindowWin::BodyLines() const {
  std::vector<std::string> lines;
  if (!body_) return lines;
  for (const std::wstring& line : body_->Lines()) lines.push_back(Narrow(line));
  return lines;
}

void NoteWindowWin::ReplaceBodyWithRtf(std::string_view rtf) {
  if (!body_) return;
  body_->LoadBytes(rtf);
  MarkBodyModified();  // the control's own load leaves its modify flag clear
  NoteChanged();
}

void NoteWindowWin::ReplaceBodyWithText(std::string_view utf8_text) {
  if (!body_) return;
  body_->LoadText(Widen(utf8_text));
  MarkBodyModified();
  NoteChanged();
}

bool NoteWindowWin::LoadBody(const std::string& path) {
  if (!body_) return false;
  ++quiet_changes_;
  const bool loaded = body_->LoadFile(Widen(path));
  --quiet_changes_;
  return loaded;
}

bool NoteWindowWin::SaveBody(const std::string& path) {
  if (!body_ || !body_->SaveFile(Widen(path))) return false;
  body_->SetModified(false);
  return true;
}

bool NoteWindowWin::BodyModified() const { return body_ && body_->Modified(); }

void NoteWindowWin::MarkBodyModified() {
  if (body_) body_->SetModified(true);
}

void NoteWindowWin::ShowBodySetAside(const std::string& explanation) {
  if (!body_) return;
  ++quiet_changes_;
  body_->ShowReadOnlyText(Widen(explanation));
  --quiet_changes_;
}

void NoteWindowWin::ApplyDefaultFont(const DefaultFont& font) {
  if (!body_) return;
  // The font of what will be typed is no change of the body itself.
  const bool modified = body_->Modified();
  ++quiet_changes_;
  body_->SetSelFontSize(ParseFontSize(font.size));
  body_->SetSelFontName(Widen(font.face));
  body_->SetSelBold(font.bold);
  body_->SetSelItalic(font.italic);
  body_->SetSelUnderline(font.underline);
  body_->SetModified(modified);
  --quiet_changes_;
}

void NoteWindowWin::FocusBody() {
  if (!body_) return;
  // The note becomes the active window, so that what the user types goes to it.
  if (Visible()) SetForegroundWindow(hwnd());
  body_->SetFocus();
}

void NoteWindowWin::EditBody(BodyEdit edit) {
  if (!body_) return;
  HWND body = body_->hWnd();
  // Wine's control does not flag every one of these as a change (a paste, for one): a body
  // they changed must be written back all the same.
  const bool changes = (edit == BodyEdit::kUndo && SendMessageW(body, EM_CANUNDO, 0, 0)) ||
                       (edit == BodyEdit::kCut && body_->SelLength() > 0) ||
                       (edit == BodyEdit::kPaste && SendMessageW(body, EM_CANPASTE, 0, 0));
  if (changes) body_->SetModified(true);
  switch (edit) {
    case BodyEdit::kUndo:
      SendMessageW(body, EM_UNDO, 0, 0);
      break;
    case BodyEdit::kCut:
      SendMessageW(body, WM_CUT, 0, 0);
      break;
    case BodyEdit::kCopy:
      SendMessageW(body, WM_COPY, 0, 0);
      break;
    case BodyEdit::kPaste:
      SendMessageW(body, WM_PASTE, 0, 0);
      break;
    case BodyEdit::kSelectAll:
      body_->SetFocus();
      body_->SetSelStart(0);
      body_->SetSelLength(static_cast<long>(body_->Text().size()));
      break;
  }
}

long NoteWindowWin::SelectionLength() const { return body_ ? body_->SelLength() : 0; }

void NoteWindowWin::ReplaceSelection(const std::string& text) {
  // An edit like typing: the body's change notification starts the autosave.
  if (body_) body_->SetSelText(Widen(text));
}

WindowHandle NoteWindowWin::Handle() const { return hwnd(); }

}  // namespace velumbrino
