#include "alarm/alarm_check.h"

#include <gtest/gtest.h>

#include <utility>

#include "fake_clock.h"
#include "fault_files.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeClock;
using testing::FullDiskFileSystem;
using testing::TempFolder;

constexpr std::string_view kAppFolder = "C:\\Programa\\";

LocalTime At(int day, int month, int year, int hour, int minute, int second = 0) {
  return {year, month, day, hour, minute, second};
}

AlarmKeys Keys(bool daily, std::string data, std::string hora) {
  AlarmKeys keys;
  keys.alarm = "1";
  keys.diariamente = daily ? "1" : "0";
  keys.data = std::move(data);
  keys.hora = std::move(hora);
  return keys;
}

enum class Outcome { kNothing, kImminent, kOnTime, kLate };

Outcome OutcomeOf(const AlarmCheckResult& result) {
  if (result.firing) return result.firing->late ? Outcome::kLate : Outcome::kOnTime;
  return result.next_interval_ms == kAlarmImminentIntervalMs ? Outcome::kImminent
                                                             : Outcome::kNothing;
}

TEST(AlarmCheckTest, DecidesOnTimeImminentLateAndNothing) {
  using O = Outcome;
  const LocalTime t = At(20, 3, 2026, 14, 5, 20);
  const AlarmMinute fired = MinuteOf(t);  // last_fired: this minute already fired
  struct Case {
    bool daily;
    const char *data, *hora;
    LocalTime now;
    std::optional<AlarmMinute> last_fired;
    Outcome outcome;
    bool keep_checking;
  };
  // clang-format off
  const Case cases[] = {
      {false, "20/03/2026", "14:05:00", t, {}, O::kOnTime, false},
      {false, "20/03/2026", "14:06:30", t, {}, O::kImminent, true},
      {false, "20/03/2026", "14:10:00", t, {}, O::kNothing, true},
      {false, "21/03/2026", "14:05:00", t, {}, O::kNothing, true},
      {false, "20/03/2026", "14:04:00", t, {}, O::kLate, false},   // missed by a minute
      {false, "31/12/2025", "08:00:00", t, {}, O::kLate, false},   // missed last year
      {false, "20/03/2026", "14:05:00", t, fired, O::kNothing, false},
      {false, "", "14:05:00", t, {}, O::kNothing, true},
      {false, "20/03/2026", "", t, {}, O::kNothing, true},
      {true, "01/01/2020", "14:05:00", t, {}, O::kOnTime, true},    // the date is ignored
      {true, "19/03/2026", "14:05:00", t, fired, O::kNothing, true},
      {true, "20/03/2026", "14:06:00", t, {}, O::kImminent, true},
      {true, "19/03/2026", "09:00:00", t, {}, O::kLate, true},      // missed 5 h ago
      {true, "?", "09:00:00", t, {}, O::kLate, true},
      {true, "19/03/2026", "02:05:00", t, {}, O::kNothing, true},   // missed 12 h ago
      {true, "20/03/2026", "09:00:00", t, {}, O::kNothing, true},   // served today
      {true, "18/03/2026", "23:30:00", At(20, 3, 2026, 0, 10), {}, O::kLate, true},
      {false, "01/01/2027", "00:00:00", At(31, 12, 2026, 23, 59, 30), {}, O::kImminent, true},
      {true, "30/04/2026", "00:00:00", At(30, 4, 2026, 23, 59, 2), {}, O::kImminent, true},
      {false, "01/01/2027", "00:00:00", At(1, 1, 2027, 0, 0, 4), {}, O::kOnTime, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    const AlarmCheckResult result =
        DecideAlarm(Keys(c.daily, c.data, c.hora), "3", c.now, c.last_fired, kAppFolder);
    EXPECT_EQ(std::pair(OutcomeOf(result), result.keep_checking),
              std::pair(c.outcome, c.keep_checking))
        << c.data << " " << c.hora << (c.daily ? " daily" : "");
  }
  // A late daily alarm fires for its own day; an alarm that is off never fires.
  const auto late = DecideAlarm(Keys(true, "18/03/2026", "23:30:00"), "3", At(20, 3, 2026, 0, 10),
                                {}, kAppFolder);
  EXPECT_EQ(late.firing->alarm_minute, MinuteOf(AlarmDate{2026, 3, 19}, 23, 30));
  AlarmKeys off = Keys(false, "20/03/2026", "14:05:00");
  off.alarm = "0";
  EXPECT_EQ(OutcomeOf(DecideAlarm(off, "3", t, {}, kAppFolder)), Outcome::kNothing);
}

class AlarmFiringTest : public ::testing::Test {
 protected:
  void Store(const std::vector<NoteKeyEdit>& edits) { ASSERT_TRUE(note_.Apply(edits)); }
  void StoreAlarm(bool daily, const std::string& data, const std::string& hora) {
    Store({{NoteKey::kAlarm, "1"},
           {NoteKey::kDiariamente, daily ? "1" : "0"},
           {NoteKey::kTocarSom, "1"},
           {NoteKey::kData, data},
           {NoteKey::kHora, hora}});
  }
  std::optional<AlarmFiring> Tick(LocalTime now) {
    clock_.now = now;
    return CheckAlarm(note_, clock_, state_, kAppFolder).firing;
  }

  TempFolder dir_;
  FullDiskFileSystem files_;
  SettingsFile settings_{files_, dir_.Path() + "config.cfg"};
  NoteSettings note_{settings_, 3};
  FakeClock clock_;
  AlarmState state_;
};

// A one-time alarm firing once and losing its keys, also with config.cfg held open, is driven
// by the simulation.
TEST_F(AlarmFiringTest, DailyAlarmIsMarkedServedSoARestartDoesNotFireItAgain) {
  files_.writes_left = -1;
  StoreAlarm(true, "01/03/2026", "09:00:00");
  std::optional<AlarmFiring> firing = Tick(At(20, 3, 2026, 9, 0, 30));
  ASSERT_TRUE(firing);
  ASSERT_EQ(FinishFiring(note_, *firing, kAppFolder, 1), FiringOutcome::kSignal);
  EXPECT_EQ(note_.Read(NoteKey::kData, ""), "20/03/2026");

  state_ = {};
  EXPECT_FALSE(Tick(At(20, 3, 2026, 10, 0)));
  EXPECT_TRUE(Tick(At(21, 3, 2026, 9, 0, 10)));
}

TEST_F(AlarmFiringTest, AFiringWhoseAlarmChangedWhileItWaitedIsDropped) {
  files_.writes_left = -1;
  StoreAlarm(false, "20/03/2026", "14:05:00");
  std::optional<AlarmFiring> firing = Tick(At(20, 3, 2026, 14, 5));
  ASSERT_TRUE(firing);
  // The alarm dialog moves the alarm, with its own sound, before the firing signals: the
  // firing is dropped, and the moved alarm fires at its own minute.
  StoreAlarm(false, "21/03/2026", "08:00:00");
  Store({{NoteKey::kSom, "1"}, {NoteKey::kPath, "D:\\galo.wav"}});
  EXPECT_EQ(FinishFiring(note_, *firing, kAppFolder, 1), FiringOutcome::kDropped);
  EXPECT_EQ(note_.Read(NoteKey::kData, ""), "21/03/2026");
  EXPECT_FALSE(Tick(At(21, 3, 2026, 7, 59)));
  EXPECT_TRUE(Tick(At(21, 3, 2026, 8, 0)));

  // Switched off while a firing waited: nothing signals.
  firing = Tick(At(21, 3, 2026, 8, 0, 30));
  ASSERT_FALSE(firing);
  state_ = {};
  firing = Tick(At(21, 3, 2026, 8, 0, 40));
  ASSERT_TRUE(firing);
  Store({{NoteKey::kAlarm, "0"}});
  EXPECT_EQ(FinishFiring(note_, *firing, kAppFolder, 1), FiringOutcome::kDropped);

  // Left as it was, the one-time alarm loses its keys and writes the note count with them.
  Store({{NoteKey::kAlarm, "1"}});
  EXPECT_EQ(FinishFiring(note_, *firing, kAppFolder, 4), FiringOutcome::kSignal);
  EXPECT_EQ(note_.Read(NoteKey::kAlarm, ""), "");
  EXPECT_NE(dir_.Read("config.cfg").find("[Indice]\r\nTotalForms=4\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velumbrino
