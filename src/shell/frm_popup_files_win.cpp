// The controller's services for the font, print and text-file commands of the note menu.

#include <shlobj.h>

#include "note/print_sink_win.h"
#include "platform/message_box_win.h"
#include "platform/system_paths_win.h"
#include "platform/text_file_io_win.h"
#include "shell/frm_popup_win.h"
#include "store/default_font.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

// The stored size takes a one-byte separator; a wider one falls back to the Brazilian comma.
char DecimalSeparatorOf(const wchar_t* text) {
  return text[0] > 0 && text[0] < 0x80 ? static_cast<char>(text[0]) : ',';
}

}  // namespace

bool FrmPopup::AskMakeDefaultFont() {
  return ShowMessageBox(state_.app_ready, hwnd(), TXT_FONT_MAKE_DEFAULT_QUESTION, TXT_MESSAGE_TITLE,
                        MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) == IDYES;
}

void FrmPopup::SetDefaultFont(const DefaultFont& font) {
  // The router and the restorer read this very record: new notes get the font at once.
  default_font_ = font;
  // Notes of later runs get it too; a registry that cannot be written loses only that.
  SaveDefaultFont(preferences_, font);
}

char FrmPopup::DecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0) return ',';
  return DecimalSeparatorOf(separator);
}

std::string FrmPopup::DocumentsFolder() { return GetSpecialFolder(CSIDL_PERSONAL, hwnd()); }

ShellServices::FileRead FrmPopup::ReadTextFile(const std::string& path) {
  TextFileBytes read = ReadTextFileBytes(path);
  return {std::move(read.bytes), read.problem};
}

std::optional<FileProblem> FrmPopup::WriteTextFile(const std::string& path,
                                                   std::string_view bytes) {
  return WriteTextFileBytes(path, bytes);
}

void FrmPopup::ReportFileProblem(const std::string& message) {
  ShowMessageBox(state_.app_ready, hwnd(), message, TXT_PROGRAM_NAME,
                 MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
}

void FrmPopup::PrintNote(const std::string& title, const std::vector<std::string>& body_lines) {
  // An error ends the job (what was printed stays in it), and the user hears of it.
  const unique_dc printer = dialogs_.CreatePrinterDC();
  if (!PrintNoteOnPrinter(printer.get(), title, body_lines)) ShowWarning(TXT_PRINT_FAILED);
}

}  // namespace velumbrino
