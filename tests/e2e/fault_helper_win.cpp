// Helper of the end-to-end fault tests, run under Wine beside the program:
//   fault_helper lock <file> <seconds>    holds the file open with no sharing (another
//                                         process's lock), printing "locked" once it holds it
//   fault_helper save-loop <data folder>  restores the folder's notes (bodies as bytes)
//                                         and saves them all over and over, changing each
//                                         note's title and position every round, until killed
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "shell/restore.h"
#include "store/note_collection.h"

using namespace velumbrino;

namespace {

// A note without a window: its body goes through the same atomic write as a note window's,
// and fifty restarts then cost seconds instead of minutes of window creation under Wine.
class StoredNote : public NoteWindow {
 public:
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& tag) override { tag_ = tag; }
  std::string Title() const override { return title_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  int Top() const override { return top_; }
  int Left() const override { return left_; }
  void SetTop(int twips) override { top_ = twips; }
  void SetLeft(int twips) override { left_ = twips; }
  bool Visible() const override { return true; }
  void SetVisible(bool) override {}
  Color BackColor() const override { return kClassicWindowColor; }
  void SetBackColor(Color) override {}
  Color BodyColor() const override { return kClassicBodyColor; }
  void SetBodyColor(Color) override {}
  bool LoadBody(const std::string& path) override {
    auto bytes = WinFileSystem().ReadFile(path);
    if (bytes) body_ = *bytes;
    return bytes.has_value();
  }
  bool SaveBody(const std::string& path) override {
    return WinFileSystem().WriteFileAtomic(path, body_);
  }
  // Every round writes every body on purpose: the kills must land among body writes.
  bool BodyModified() const override { return true; }
  void MarkBodyModified() override {}
  void ShowBodySetAside(const std::string&) override {}
  void ApplyDefaultFont(const DefaultFont&) override {}
  bool AlarmTimerEnabled() const override { return false; }
  void SetAlarmTimerEnabled(bool) override {}
  void SetOpacity(std::uint8_t) override {}
  void ShowPinned() override {}
  void ShowUnpinned() override {}
  void KeepOnScreen() override {}
  void FocusBody() override {}
  void EditBody(BodyEdit) override {}
  long SelectionLength() const override { return 0; }
  void ReplaceSelection(const std::string&) override {}
  SelectionFont GetSelectionFont() const override { return {}; }
  void SetSelectionFont(const SelectionFont&) override {}
  std::string BodyText() const override { return {}; }
  std::vector<std::string> BodyLines() const override { return {}; }
  void ReplaceBodyWithRtf(std::string_view) override {}
  void ReplaceBodyWithText(std::string_view) override {}
  WindowHandle Handle() const override { return nullptr; }
  void Close() override {}

 private:
  std::string tag_, title_, body_;
  int top_ = 0, left_ = 0;
};

class StoredNoteFactory : public NoteWindowFactory {
 public:
  std::unique_ptr<NoteWindow> CreateNoteWindow(bool) override {
    return std::make_unique<StoredNote>();
  }
};

int Lock(const wchar_t* path, int seconds) {
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("cannot lock: %lu\n", GetLastError());
    return 2;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(file);
  return 0;
}

int SaveLoop(const std::wstring& folder) {
  StoredNoteFactory factory;
  NoteCollection notes(WinFileSystem(), factory, Narrow(folder));
  RestoreNotes(notes, DefaultFont{});
  std::printf("restored %d\n", notes.Count());
  std::fflush(stdout);
  for (int round = 1;; ++round) {
    for (int position = 1; position <= notes.Count(); ++position) {
      NoteWindow& note = notes.At(position);
      note.SetTitle("volta " + std::to_string(round));
      note.SetTop(15 * (round % 40) + 15 * position);
    }
    const bool saved = notes.SaveAllNotes();
    std::printf("round %d %s\n", round, saved ? "saved" : "failed");
    std::fflush(stdout);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"lock") == 0) return Lock(argv[2], _wtoi(argv[3]));
  if (argc == 3 && std::wcscmp(argv[1], L"save-loop") == 0) return SaveLoop(argv[2]);
  std::fprintf(stderr, "usage: fault_helper lock <file> <seconds> | save-loop <folder>\n");
  return 1;
}
