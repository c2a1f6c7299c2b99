// The note window's members that read and replace its body as a whole, for the font, print,
// load and save commands. Changes made here are the user's: they are saved like an edit.

#include "note/note_window_win.h"
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

}  // namespace velumbrino
