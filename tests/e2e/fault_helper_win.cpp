// Helper of the end-to-end fault tests, run under Wine beside the program:
//   fault_helper lock <file> <seconds>    holds the file open with no sharing (another
//                                         process's lock), printing "locked" once it holds it
//   fault_helper save-loop <data folder>  restores the folder's notes into real note windows
//                                         and saves them all over and over, changing each
//                                         note's title and position every round, until killed
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "note/note_window_win.h"
#include "platform/clock_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "shell/restore.h"
#include "store/note_collection.h"

using namespace velumbrino;

namespace {

class QuietHost : public NoteWindowHost {
 public:
  bool AppReady() const override { return false; }
  void BodyPressed(NoteWindow&, bool, int, int) override {}
  void PinClicked(NoteWindow&) override {}
  void NoteNeedsSave(NoteWindow&) override {}
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
  QuietHost host;
  SystemClock clock;
  NoteWindowFactoryWin factory(host, clock);
  NoteCollection notes(WinFileSystem(), factory, Narrow(folder));
  RestoreNotes(notes, DefaultFont{}, {});
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
