#pragma once
// A note window that records what was done to it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/note_window.h"

namespace velumbrino::testing {

struct FakeNoteState {
  std::string tag, title;
  int top = 3510, left = 4140, alpha = -1, saves = 0, focus_count = 0, pin_calls = 0;
  bool visible = false, alarm = false, pinned = false, closed = false, kept_on_screen = false;
  Color back = kClassicWindowColor, body_color = kClassicBodyColor;
  std::string body;  // the body file's bytes
  // What the body was when last loaded or saved: a test edits `body` as typing would.
  std::optional<std::string> body_as_stored;
  bool marked_modified = false;
  std::string set_aside_text;  // shown in place of a body that was not loaded
  std::vector<NoteWindow::BodyEdit> edits;
  long selection_length = 0;
  std::vector<std::string> inserted;  // texts put in place of the selection
  SelectionFont selection_font;
  std::vector<SelectionFont> applied_fonts;
  std::string text;          // the body's plain text
  std::string replaced_rtf;  // last rich text the body was replaced with
};

class FakeNoteWindow : public NoteWindow {
 public:
  FakeNoteWindow(FileSystem& files, std::shared_ptr<FakeNoteState> state)
      : files_(files), s_(std::move(state)) {}

  std::string Tag() const override { return s_->tag; }
  void SetTag(const std::string& tag) override { s_->tag = tag; }
  std::string Title() const override { return s_->title; }
  void SetTitle(const std::string& title) override { s_->title = title; }
  int Top() const override { return s_->top; }
  int Left() const override { return s_->left; }
  void SetTop(int twips) override { s_->top = twips; }
  void SetLeft(int twips) override { s_->left = twips; }
  bool Visible() const override { return s_->visible; }
  void SetVisible(bool visible) override { s_->visible = visible; }
  Color BackColor() const override { return s_->back; }
  void SetBackColor(Color color) override { s_->back = color; }
  Color BodyColor() const override { return s_->body_color; }
  void SetBodyColor(Color color) override { s_->body_color = color; }
  bool LoadBody(const std::string& path) override {
    const auto bytes = files_.ReadFile(path);
    return bytes && (s_->body = *bytes, Stored());
  }
  bool SaveBody(const std::string& path) override {
    ++s_->saves;
    return files_.WriteFileAtomic(path, s_->body) && Stored();
  }
  bool BodyModified() const override {
    return s_->marked_modified || s_->body != s_->body_as_stored.value_or("");
  }
  void MarkBodyModified() override { s_->marked_modified = true; }
  void ShowBodySetAside(const std::string& text) override { s_->set_aside_text = text; }
  void ApplyDefaultFont(const DefaultFont&) override {}
  bool AlarmTimerEnabled() const override { return s_->alarm; }
  void SetAlarmTimerEnabled(bool enabled) override { s_->alarm = enabled; }
  void SetOpacity(std::uint8_t alpha) override { s_->alpha = alpha; }
  void ShowPinned() override { s_->pinned = true, ++s_->pin_calls; }
  void ShowUnpinned() override { s_->pinned = false; }
  void KeepOnScreen() override { s_->kept_on_screen = true; }
  void FocusBody() override { ++s_->focus_count; }
  void Close() override { s_->closed = true; }
  void EditBody(BodyEdit edit) override { s_->edits.push_back(edit); }
  long SelectionLength() const override { return s_->selection_length; }
  void ReplaceSelection(const std::string& text) override {
    s_->inserted.push_back(text), s_->selection_length = 0;
  }
  WindowHandle Handle() const override { return s_.get(); }
  SelectionFont GetSelectionFont() const override { return s_->selection_font; }
  void SetSelectionFont(const SelectionFont& font) override { s_->applied_fonts.push_back(font); }
  std::string BodyText() const override { return s_->text; }
  std::vector<std::string> BodyLines() const override { return {}; }
  void ReplaceBodyWithRtf(std::string_view rtf) override { s_->replaced_rtf = rtf, s_->text = ""; }
  void ReplaceBodyWithText(std::string_view text) override { s_->text = text; }

 private:
  bool Stored() {  // what a load or save ends with
    s_->body_as_stored = s_->body;
    s_->marked_modified = false;
    return true;
  }
  FileSystem& files_;
  std::shared_ptr<FakeNoteState> s_;
};

class FakeNoteWindowFactory : public NoteWindowFactory {
 public:
  explicit FakeNoteWindowFactory(FileSystem& files) : files_(files) {}
  std::unique_ptr<NoteWindow> CreateNoteWindow(bool app_ready) override {
    auto state = std::make_shared<FakeNoteState>();
    if (app_ready) state->title = "new";
    created.push_back(state);
    return std::make_unique<FakeNoteWindow>(files_, state);
  }
  std::vector<std::shared_ptr<FakeNoteState>> created;

 private:
  FileSystem& files_;
};

}  // namespace velumbrino::testing
