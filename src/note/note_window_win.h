#pragma once
// frmNote: one note on the desktop. A borderless, rounded popup window with a title strip,
// a rich-text body and two picture buttons (pin and hide) in its top right corner.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "alarm/alarm_note.h"
#include "alarm/blink.h"
#include "note/note_layout.h"
#include "note/note_pictures_win.h"
#include "note/note_window_host.h"
#include "note/rich_text_body_win.h"
#include "platform/unique_handle.h"
#include "platform/window_base_win.h"
#include "store/clock.h"
#include "store/note_window.h"

namespace velumbrino {

class NoteWindowWin : public WindowBase, public AlarmNote {
 public:
  static constexpr const wchar_t* kClassName = L"frmNote";
  static constexpr int kBodyControlId = 100;

  // Creates the window hidden. With app_ready (a note the user asked for) it takes a random
  // place and the date-and-time title; otherwise it keeps its design place and no title.
  NoteWindowWin(NoteWindowHost& host, const Clock& clock, bool app_ready);
  ~NoteWindowWin() override;

  // NoteWindow
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& tag) override { tag_ = tag; }
  std::string Title() const override { return title_; }
  void SetTitle(const std::string& title) override;
  int Top() const override;
  int Left() const override;
  void SetTop(int twips) override;
  void SetLeft(int twips) override;
  bool Visible() const override;
  void SetVisible(bool visible) override;
  Color BackColor() const override { return back_color_; }
  void SetBackColor(Color color) override;
  Color BodyColor() const override;
  void SetBodyColor(Color color) override;
  bool LoadBody(const std::string& path) override;
  bool SaveBody(const std::string& path) override;
  bool BodyModified() const override;
  void MarkBodyModified() override;
  void ShowBodySetAside(const std::string& explanation) override;
  void ApplyDefaultFont(const DefaultFont& font) override;
  bool AlarmTimerEnabled() const override { return alarm_timer_enabled_; }
  void SetAlarmTimerEnabled(bool enabled) override;
  void SetOpacity(std::uint8_t alpha) override;
  void ShowPinned() override;
  void ShowUnpinned() override;
  void KeepOnScreen() override;
  void FocusBody() override;
  void Close() override;
  void EditBody(BodyEdit edit) override;
  long SelectionLength() const override;
  void ReplaceSelection(const std::string& text) override;
  WindowHandle Handle() const override;
  // Body contents for the font, print, load and save commands (note_window_body_win.cpp).
  SelectionFont GetSelectionFont() const override;
  void SetSelectionFont(const SelectionFont& font) override;
  std::string BodyText() const override;
  std::vector<std::string> BodyLines() const override;
  void ReplaceBodyWithRtf(std::string_view rtf) override;
  void ReplaceBodyWithText(std::string_view utf8_text) override;

  // The alarm check timer (`tmrEvent`): its interval, kept while it is stopped.
  void SetAlarmInterval(int milliseconds) override;
  // What the alarm check remembers of this note; a new window starts afresh.
  AlarmState& AlarmCheckState() override { return alarm_state_; }
  // The blink timer (`Piscar`); the blink itself belongs to the alarm.
  bool BlinkTimerEnabled() const { return blink_timer_enabled_; }
  void SetBlinkTimerEnabled(bool enabled) override;
  void SetBlinkInterval(int milliseconds) override;
  // Top of the topmost band without moving or resizing; the stored pin is not changed.
  void LiftToTopmost() override;

  RichTextBody* Body() { return body_.get(); }
  int Dpi() const { return dpi_; }

 protected:
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  enum class Part { kBackground, kPin, kHideButton };

  static bool RegisterNoteClass();
  void CreateControls();
  void OnLoad(bool app_ready);
  void ShapeNoteWindow();
  void Paint();
  Part HitPart(POINT client) const;
  void OnMouseOver(Part part);
  void SetPinPicture(NotePicture picture);
  void SetHidePicture(NotePicture picture);
  void DragWindow(UINT button_message);
  void EndManualDrag();
  void OnButtonClick(Part part);
  void OnBodyMouse(UINT message, LPARAM lparam);
  // Shift+F10 or the Menu key: the note menu, as a right click in the body opens it.
  void OnKeyboardMenu();
  void ApplyDpi(int dpi, const RECT& suggested);
  void NoteChanged();
  void MoveToPixels(std::optional<int> x, std::optional<int> y);
  RECT PartRect(Part part) const;

  NoteWindowHost& host_;
  const Clock& clock_;
  int dpi_ = 96;
  NoteLayout layout_;
  std::unique_ptr<RichTextBody> body_;
  HWND tooltip_ = nullptr;  // destroyed on WM_DESTROY
  HFONT title_font_ = nullptr;  // shared by every note of this resolution

  std::string tag_;
  std::string title_;
  Color back_color_ = kClassicWindowColor;
  NotePicture pin_picture_ = NotePicture::kImHot;
  NotePicture hide_picture_ = NotePicture::kImage2;
  std::optional<Part> pressed_part_;
  struct ManualDrag {
    UINT release_message;
    int offset_x;  // pointer relative to the window's top left corner
    int offset_y;
    POINT start;
  };
  std::optional<ManualDrag> manual_drag_;
  bool alarm_timer_enabled_ = false;
  int alarm_interval_ms_ = kAlarmCheckIntervalMs;
  AlarmState alarm_state_;
  bool blink_timer_enabled_ = false;
  int blink_interval_ms_ = kBlinkFirstIntervalMs;
  // Programmatic body changes (loading, fonts) are not the user's edits.
  int quiet_changes_ = 0;
  // When the first change not yet saved came (GetTickCount64).
  std::optional<ULONGLONG> first_unsaved_change_;
  bool shown_once_ = false;
  // A position set in twips reads back exactly while the window stays on that pixel.
  struct TwipsMemo {
    int twips;
    int pixels;
  };
  std::optional<TwipsMemo> top_memo_;
  std::optional<TwipsMemo> left_memo_;
};

class NoteWindowFactoryWin : public NoteWindowFactory {
 public:
  NoteWindowFactoryWin(NoteWindowHost& host, const Clock& clock) : host_(host), clock_(clock) {}
  std::unique_ptr<NoteWindow> CreateNoteWindow(bool app_ready) override;

 private:
  NoteWindowHost& host_;
  const Clock& clock_;
};

}  // namespace velumbrino
