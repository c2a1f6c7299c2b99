#pragma once
// Shared by the Win32 tests: a still clock, an undemanding note host, unique temp paths.
#include <windows.h>

#include <string>

#include "../unit/fake_clock.h"
#include "note/note_window_host.h"

namespace velumbrino::win_test {

using StandingClock = testing::FakeClock;

// Always ready; ignores presses, pin clicks and save requests.
class QuietHost : public NoteWindowHost {
 public:
  bool AppReady() const override { return true; }
  void BodyPressed(NoteWindow&, bool, int, int) override {}
  void PinClicked(NoteWindow&) override {}
  void NoteNeedsSave(NoteWindow&) override {}
};

// "<temp>\velumbrino_<prefix>_<process id>_<name>".
inline std::wstring TempPath(const wchar_t* prefix, const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"velumbrino_" + prefix + L"_" +
         std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}

}  // namespace velumbrino::win_test
