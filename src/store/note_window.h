#pragma once
// What the note collection, start-up and shutdown need of a note window. The program's
// implementation is the Win32 note window; native tests use fakes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velumbrino {

using Color = std::uint32_t;  // 0x00BBGGRR
// A native window (an HWND on Windows), opaque to portable code; owner of the dialogs a
// command opens.
using WindowHandle = void*;
inline constexpr Color kClassicWindowColor = 0x0073E5E5;  // 7595493
inline constexpr Color kClassicBodyColor = 0x0087FFFF;    // 8912895

struct DefaultFont {
  std::string face = "Arial";
  std::string size = "10";  // points, kept as the stored text
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The selection's font as the body reports it; nullopt where the selection mixes values.
struct SelectionFont {
  std::optional<std::string> face = std::nullopt;
  std::optional<double> size = std::nullopt;  // points, possibly fractional
  std::optional<bool> bold = std::nullopt;
  std::optional<bool> italic = std::nullopt;
  std::optional<bool> underline = std::nullopt;
  std::optional<bool> strikeout = std::nullopt;
  std::optional<Color> color = std::nullopt;
};

class NoteWindow {
 public:
  virtual ~NoteWindow() = default;

  virtual std::string Tag() const = 0;  // the note number in decimal
  virtual void SetTag(const std::string& tag) = 0;
  virtual std::string Title() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // Window position in twips.
  virtual int Top() const = 0;
  virtual int Left() const = 0;
  virtual void SetTop(int twips) = 0;
  virtual void SetLeft(int twips) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual Color BackColor() const = 0;  // window (frame and title strip)
  virtual void SetBackColor(Color color) = 0;
  virtual Color BodyColor() const = 0;
  virtual void SetBodyColor(Color color) = 0;

  // Body file (RTF; plain text is taken as text). Load leaves the body as it was on failure.
  virtual bool LoadBody(const std::string& path) = 0;
  virtual bool SaveBody(const std::string& path) = 0;  // atomic
  // True when the body changed since it was last loaded or saved: typing, editing commands
  // and anything else done to it through the control, and MarkBodyModified.
  virtual bool BodyModified() const = 0;
  // Counts a change the control does not flag by itself (a file the user chose, loaded in).
  virtual void MarkBodyModified() = 0;
  // Shows `explanation` in place of a body that was not loaded: read-only, never modified.
  virtual void ShowBodySetAside(const std::string& explanation) = 0;
  // The font of what the user will type, applied size, face, bold, italic, underline.
  virtual void ApplyDefaultFont(const DefaultFont& font) = 0;

  virtual bool AlarmTimerEnabled() const = 0;
  virtual void SetAlarmTimerEnabled(bool enabled) = 0;
  virtual void SetOpacity(std::uint8_t alpha) = 0;
  // Topmost band and the pressed pin picture / out of the band and the sideways pin.
  virtual void ShowPinned() = 0;
  virtual void ShowUnpinned() = 0;
  // Moves a window that lies wholly outside every monitor's work area into the primary one.
  virtual void KeepOnScreen() = 0;
  virtual void FocusBody() = 0;

  // The body's own editing commands, acting on its selection and the clipboard.
  enum class BodyEdit { kUndo, kCut, kCopy, kPaste, kSelectAll };
  virtual void EditBody(BodyEdit edit) = 0;
  virtual long SelectionLength() const = 0;
  // Puts `text` at the body's caret in place of its selection, the caret left after it.
  virtual void ReplaceSelection(const std::string& text) = 0;
  // The selection's font; setting applies only the attributes that hold a value, in the
  // order face, size, bold, colour, italic, strikeout, underline.
  virtual SelectionFont GetSelectionFont() const = 0;
  virtual void SetSelectionFont(const SelectionFont& font) = 0;
  // The body's plain text (UTF-8, line breaks CR LF).
  virtual std::string BodyText() const = 0;
  // The body's lines as the control wraps them on screen, without their line breaks.
  virtual std::vector<std::string> BodyLines() const = 0;
  // The whole body replaced, as the user's own change (it is saved like an edit). Rich text
  // the control rejects is shown as text.
  virtual void ReplaceBodyWithRtf(std::string_view rtf) = 0;
  virtual void ReplaceBodyWithText(std::string_view utf8_text) = 0;
  virtual WindowHandle Handle() const = 0;
  // Destroys the window; the object is discarded right after.
  virtual void Close() = 0;
};

class NoteWindowFactory {
 public:
  virtual ~NoteWindowFactory() = default;
  // A new, still hidden note window. With app_ready, its load handler places it at random
  // and titles it with the date and time; otherwise it keeps its design position and no title.
  virtual std::unique_ptr<NoteWindow> CreateNoteWindow(bool app_ready) = 0;
};

}  // namespace velumbrino
