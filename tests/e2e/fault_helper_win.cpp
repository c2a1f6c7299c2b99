// Helper of the end-to-end fault tests, run under Wine beside the program:
//   fault_helper lock <file> <seconds> [release file]: holds the file unshared, prints "locked"
//     once it does, until the seconds pass or the release file appears
//   fault_helper save-loop <data folder>: restores the notes (bodies as bytes) and saves them
//     over and over, each round with new titles and positions, until killed
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "../unit/fake_note_window.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "shell/restore.h"
#include "store/note_collection.h"

using namespace velumbrino;

namespace {

int Lock(const wchar_t* path, int seconds, const wchar_t* release) {
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("cannot lock: %lu\n", GetLastError());
    return 2;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (GetTickCount64() < until &&
         (!release || GetFileAttributesW(release) == INVALID_FILE_ATTRIBUTES)) {
    Sleep(50);
  }
  CloseHandle(file);
  std::printf("released\n");
  std::fflush(stdout);
  return 0;
}

// Windowless fake notes on the real files: fifty restarts take seconds, not minutes, under Wine.
int SaveLoop(const std::wstring& folder) {
  FileSystem& files = WinFileSystem();
  velumbrino::testing::FakeNoteWindowFactory factory(files);
  NoteCollection notes(files, factory, Narrow(folder));
  RestoreNotes(notes, DefaultFont{});
  std::printf("restored %d\n", notes.Count());
  std::fflush(stdout);
  for (int round = 1;; ++round) {
    for (int position = 1; position <= notes.Count(); ++position) {
      NoteWindow& note = notes.At(position);
      note.SetTitle("volta " + std::to_string(round));
      note.SetTop(15 * (round % 40) + 15 * position);
    }
    // Every round writes every body on purpose: the kills must land among body writes.
    for (const auto& state : factory.created) state->marked_modified = true;
    const bool saved = notes.SaveAllNotes();
    std::printf("round %d %s\n", round, saved ? "saved" : "failed");
    std::fflush(stdout);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if ((argc == 4 || argc == 5) && std::wcscmp(argv[1], L"lock") == 0) {
    return Lock(argv[2], _wtoi(argv[3]), argc == 5 ? argv[4] : nullptr);
  }
  if (argc == 3 && std::wcscmp(argv[1], L"save-loop") == 0) return SaveLoop(argv[2]);
  std::fprintf(stderr, "usage: fault_helper lock <file> <seconds> | save-loop <folder>\n");
  return 1;
}
