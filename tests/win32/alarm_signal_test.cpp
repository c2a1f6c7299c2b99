// Alarms on real note windows: a firing waits while a modal window is up and signals once
// when it closes, never for a note deleted meanwhile. (The check timer, blinking and its stop
// by a press are covered end to end.)
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "alarm/alarm_signal_win.h"
#include "alarm/blink.h"
#include "note/note_window_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

// Forwards the note windows' alarm events to the signal, as the program's controller does.
class SignalHost : public win_test::QuietHost {
 public:
  AlarmSignal* signal = nullptr;
  const AppReadyFlag* ready = nullptr;
  bool AppReady() const override { return ready->IsReady(); }
  void AlarmCheckTick(NoteWindowWin& note) override { signal->CheckTick(note); }
  void BlinkTick(NoteWindowWin& note) override { signal->BlinkTick(note); }
  void StopBlinking(NoteWindowWin& note) override { signal->StopBlinking(note); }
  void NoteClosing(NoteWindowWin& note) override { signal->NoteClosing(note.Tag()); }
};

std::string FreshFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"velumbrino_alarm_signal\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"config.cfg").c_str());
  DeleteFileW((folder + L"indice.dat").c_str());
  return Narrow(folder);
}

class AlarmSignalTest : public ::testing::Test {
 protected:
  AlarmSignalTest() {
    host_.signal = &signal_;
    host_.ready = &ready_;
    ready_.MarkStarted();
    for (const char* n : {"1", "2"}) notes_.CreateNote(n, false, {}, /*show=*/false);
  }
  NoteWindowWin& Note(int number) {
    return dynamic_cast<NoteWindowWin&>(notes_.At(notes_.FindNoteWindow(number)));
  }
  // A one-time alarm for the clock's current minute, with the built-in sound.
  void ArmForNow(int number) {
    ASSERT_TRUE(NoteSettings(notes_.Settings(), number)
                    .Apply({{NoteKey::kAlarm, "1"},
                            {NoteKey::kDiariamente, "0"},
                            {NoteKey::kTocarSom, "1"},
                            {NoteKey::kSom, "0"},
                            {NoteKey::kData, "06/12/2026"},
                            {NoteKey::kHora, "14:05:00"},
                            {NoteKey::kHoraAntes, "14:04:00"}}));
  }
  std::string Key(int number, NoteKey key) {
    return NoteSettings(notes_.Settings(), number).Read(key, "<none>");
  }
  // Visible, topmost, blinking, checking its alarm.
  static std::vector<bool> Signalled(const NoteWindowWin& note) {
    return {note.Visible(), (GetWindowLongPtrW(note.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
            note.BlinkTimerEnabled(), note.AlarmTimerEnabled()};
  }

  const std::string folder_ = FreshFolder();
  win_test::StandingClock clock_{{2026, 12, 6, 14, 5, 10}};
  AppReadyFlag ready_;
  SignalHost host_;
  NoteWindowFactoryWin factory_{host_, clock_};
  NoteCollection notes_{WinFileSystem(), factory_, folder_};
  std::vector<std::string> sounds_;
  AlarmSignal signal_{notes_, clock_, ready_, "C:\\Velumbrino\\",
                      [this](const std::string& file) { sounds_.push_back(file); }};
};

TEST_F(AlarmSignalTest, FiringWaitsForTheModalWindowAndSignalsOnceAfterIt) {
  ArmForNow(1);
  {
    ModalGuard dialog_open(ready_);
    signal_.CheckTick(Note(1));
    signal_.CheckTick(Note(1));  // the same minute again while it waits
    EXPECT_FALSE(Note(1).Visible() || Note(1).BlinkTimerEnabled());
    EXPECT_TRUE(sounds_.empty());
    EXPECT_EQ(Key(1, NoteKey::kHora), "14:05:00");
  }
  signal_.ReleaseWaiting();
  // One-time: its check ends.
  EXPECT_EQ(Signalled(Note(1)), (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(sounds_, std::vector<std::string>{"C:\\Velumbrino\\Alarme\\Alarm08.wav"});
  for (NoteKey key : kAlarmKeys) EXPECT_EQ(Key(1, key), "<none>");
  EXPECT_FALSE(Note(2).Visible());

  // The keys are gone and the minute is served: nothing fires again.
  ArmForNow(1);
  signal_.CheckTick(Note(1));
  EXPECT_EQ(sounds_.size(), 1u);
}

TEST_F(AlarmSignalTest, FiringOfANoteDeletedWhileItWaitedNeverSignals) {
  ArmForNow(1);
  {
    ModalGuard dialog_open(ready_);
    signal_.CheckTick(Note(1));
    notes_.DeleteNote(1, notes_.FindNoteWindow(1));
    // A new note under the same number is another note.
    notes_.CreateNote("1", false, {}, /*show=*/false);
  }
  signal_.ReleaseWaiting();
  EXPECT_TRUE(sounds_.empty());
  EXPECT_FALSE(Note(1).Visible() || Note(1).BlinkTimerEnabled());
}

}  // namespace
}  // namespace velumbrino
