#pragma once
// The note body: a Msftedit RichEdit control with the members the rest of the program uses.
// The control notifies its parent with EN_CHANGE (WM_COMMAND) and EN_MSGFILTER (WM_NOTIFY,
// mouse events) so the note window can track edits and right presses.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velumbrino {

class RichTextBody {
 public:
  // Creates the control as a child of `parent` at `bounds` (client pixels): multi-line,
  // vertical scroll bar when needed, no border, initial font Arial 9.75 pt.
  RichTextBody(HWND parent, int control_id, const RECT& bounds);
  RichTextBody(const RichTextBody&) = delete;
  RichTextBody& operator=(const RichTextBody&) = delete;
  ~RichTextBody();

  HWND hWnd() const { return window_; }

  // Replaces the whole content from a file: RTF when it is RTF, otherwise plain text
  // (Windows-1252). A missing or unreadable file leaves the body as it was: false.
  bool LoadFile(const std::wstring& path);
  // Writes the whole content as RTF, atomically (temp file, then replace).
  bool SaveFile(const std::wstring& path) const;
  // The same through memory.
  bool LoadBytes(std::string_view bytes);
  std::string SaveRtf() const;
  // Replaces the whole content with Unicode text, in the body's default font.
  bool LoadText(std::wstring_view text);

  // The control's modify flag: cleared by a load, set by typing and by every change made
  // through the control (the selection members below included).
  bool Modified() const;
  void SetModified(bool modified);
  // Replaces the content with `text`, in grey italics, read-only and not modified: what
  // stands in for a body that was not loaded.
  void ShowReadOnlyText(const std::wstring& text);

  // Selection font members; nullopt when the selection mixes several values.
  std::optional<std::wstring> SelFontName() const;
  void SetSelFontName(const std::wstring& name);
  std::optional<double> SelFontSize() const;  // points
  void SetSelFontSize(double points);
  std::optional<bool> SelBold() const;
  void SetSelBold(bool value);
  std::optional<bool> SelItalic() const;
  void SetSelItalic(bool value);
  std::optional<bool> SelUnderline() const;
  void SetSelUnderline(bool value);
  std::optional<bool> SelStrikeThru() const;
  void SetSelStrikeThru(bool value);
  std::optional<COLORREF> SelColor() const;
  void SetSelColor(COLORREF color);

  std::wstring SelText() const;
  // Replaces the selection (or inserts at the caret) and leaves the caret after it.
  void SetSelText(const std::wstring& text);
  long SelStart() const;
  void SetSelStart(long start);
  long SelLength() const;
  void SetSelLength(long length);
  // Plain text with CR LF line breaks.
  std::wstring Text() const;
  // The lines as the control lays them out at its width, wrapped lines one by one, without
  // their line-break characters.
  std::vector<std::wstring> Lines() const;

  COLORREF BackColor() const { return back_color_; }
  void SetBackColor(COLORREF color);
  void SetFocus();
  // Where the caret is on the screen, while the body has the focus and the caret is in view.
  std::optional<POINT> CaretScreenPoint() const;

 private:
  HWND window_ = nullptr;
  COLORREF back_color_ = RGB(0xFF, 0xFF, 0x87);
};

}  // namespace velumbrino
