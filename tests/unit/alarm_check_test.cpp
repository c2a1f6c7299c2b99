#include "alarm/alarm_check.h"

#include <gtest/gtest.h>

#include <utility>

#include "../sim/mem_files.h"
#include "alarm/alarm_dialog.h"
#include "alarm/alarm_time.h"
#include "fake_clock.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

using testing::FakeClock;

constexpr std::string_view kAppFolder = "C:\\Programa\\";

LocalTime At(int day, int month, int year, int hour, int minute, int second = 0) {
  return {year, month, day, hour, minute, second};
}

AlarmKeys Keys(bool daily, std::string data, std::string hora) {
  return {.alarm = "1", .diariamente = daily ? "1" : "0", .data = data, .hora = hora};
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
  const AlarmKeys off{.data = "20/03/2026", .hora = "14:05:00"};
  EXPECT_EQ(OutcomeOf(DecideAlarm(off, "3", t, {}, kAppFolder)), Outcome::kNothing);
}

class AlarmTest : public ::testing::Test {
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
  AlarmDialogState InUse(const char* date, const char* time, bool daily = false) {
    AlarmDialogState state{.use_alarm = true, .daily = daily, .date_text = date, .time_text = time};
    state.path = BuiltInAlarmSound(kAppFolder);
    return state;
  }

  AlarmTest() { files_.CreateDirectories("/d"); }
  std::string Config() { return files_.files["/d/config.cfg"].bytes; }

  sim::MemFiles files_;  // disk_full_until > 0: a full disk
  SettingsFile settings_{files_, "/d/config.cfg"};
  NoteSettings note_{settings_, 5};
  FakeClock clock_{{2026, 3, 20, 14, 5, 30}};
  AlarmState state_;
};
using AlarmFiringTest = AlarmTest;
using AlarmDialogTest = AlarmTest;

// A one-time alarm's single firing is driven by the simulation.
TEST_F(AlarmFiringTest, DailyAlarmIsMarkedServedSoARestartDoesNotFireItAgain) {
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
  StoreAlarm(false, "20/03/2026", "14:05:00");
  std::optional<AlarmFiring> firing = Tick(At(20, 3, 2026, 14, 5));
  ASSERT_TRUE(firing);
  // Moved by the dialog before the firing signals: that firing is dropped, the moved one fires.
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

  // Left as it was, the one-time alarm's keys go (the simulation checks), with the note count.
  Store({{NoteKey::kAlarm, "1"}});
  EXPECT_EQ(FinishFiring(note_, *firing, kAppFolder, 4), FiringOutcome::kSignal);
  EXPECT_NE(Config().find("[Indice]\r\nTotalForms=4\r\n"), std::string::npos);
}

TEST(AlarmTimeTest, DatesTimesAndMinutesReadAndCount) {
  EXPECT_EQ(ParseAlarmDate("05/12/2026"), (AlarmDate{2026, 12, 5}));
  EXPECT_EQ(ParseAlarmDate(" 5/1/2026 "), (AlarmDate{2026, 1, 5}));
  EXPECT_EQ(ParseAlarmDate("29/02/2024"), (AlarmDate{2024, 2, 29}));
  for (const char* bad : {"29/02/2026", "31/04/2026", "00/01/2026", "01/13/2026", "01/01/26",
                          "01/01/20266", "01-01-2026", "01/01/2026x", ""}) {
    EXPECT_FALSE(ParseAlarmDate(bad)) << bad;
  }
  EXPECT_EQ(ParseAlarmTime("14:30:00"), (AlarmTime{14, 30, 0}));
  EXPECT_EQ(ParseAlarmTime("9:05"), (AlarmTime{9, 5, 0}));
  for (const char* bad :
       {"24:00:00", "12:60:00", "12:00:60", "12:5:00", "12:05:", "02:30:00 PM", "-1:00:00"}) {
    EXPECT_FALSE(ParseAlarmTime(bad)) << bad;
  }
  const std::pair<const char*, const char*> cases[] = {
      {"14:00:00", "13:59:00"}, {"09:05:30", "09:04:30"}, {"10:00:00", "09:59:00"},
      {"00:00:15", "23:59:15"}, {"00:01:00", "00:00:00"}, {"nonsense", ""},
  };
  for (const auto& [time, before] : cases) EXPECT_EQ(CalcHoraAntes(time), before) << time;

  const std::pair<AlarmDate, AlarmDate> next_day[] = {
      {{2026, 12, 31}, {2027, 1, 1}}, {{2024, 2, 28}, {2024, 2, 29}}, {{2026, 2, 28}, {2026, 3, 1}},
      {{2026, 4, 30}, {2026, 5, 1}},  {{1969, 12, 31}, {1970, 1, 1}}, {{2100, 2, 28}, {2100, 3, 1}},
  };
  for (const auto& [day, following] : next_day) {
    const AlarmMinute last_minute = MinuteOf(day, 23, 59);
    EXPECT_EQ(DateOfMinute(last_minute), day);
    EXPECT_EQ(DateOfMinute(last_minute + 1), following) << FormatAlarmDate(day);
    EXPECT_EQ(MinuteOf(following, 0, 0), last_minute + 1);
  }
}

TEST_F(AlarmDialogTest, LoadsStoredValuesOrDefaults) {
  AlarmDialogState state = LoadAlarmDialog(note_, clock_, kAppFolder);
  EXPECT_FALSE(state.use_alarm || state.daily || state.play_sound || state.from_file);
  EXPECT_EQ(state.path, "C:\\Programa\\Alarme\\Alarm08.wav");
  EXPECT_EQ(state.date_text + " " + state.time_text, "20/03/2026 14:05:30");

  // clang-format off
  ASSERT_TRUE(note_.Apply({{NoteKey::kAlarm, "1"}, {NoteKey::kTocarSom, "1"}, {NoteKey::kSom, "1"},
                           {NoteKey::kPath, "D:\\sinos.wav"}, {NoteKey::kData, "31/02/2026"},
                           {NoteKey::kHora, "7:15"}}));
  // clang-format on
  state = LoadAlarmDialog(note_, clock_, kAppFolder);
  EXPECT_TRUE(state.use_alarm && state.play_sound && state.from_file && !state.daily);
  EXPECT_EQ(state.path, "D:\\sinos.wav");
  EXPECT_EQ(state.date_text + " " + state.time_text, "20/03/2026 07:15:00");  // no 31 Feb
}

TEST_F(AlarmDialogTest, OkRefusesTheCurrentMinuteAndEarlier) {
  const LocalTime now = clock_.now;      // 20/03/2026 14:05:30
  AlarmDialogState off = InUse("", "");  // pickers that give no text never block switching off
  off.use_alarm = false;
  struct Case {
    AlarmDialogState state;
    std::string_view message;
  };
  const Case cases[] = {
      {InUse("20/03/2026", "14:05:59"), TXT_ALARM_IN_PAST},
      {InUse("20/03/2026", "14:04:00"), TXT_ALARM_IN_PAST},
      {InUse("19/03/2026", "23:59:00"), TXT_ALARM_IN_PAST},
      {InUse("20/03/2026", "14:06:00"), ""},
      {InUse("01/04/2026", "00:00:00"), ""},  // a smaller day number in a later month
      {InUse("01/01/2020", "08:00:00", /*daily=*/true), ""},
      {off, ""},
      {InUse("", "14:06:00"), TXT_ALARM_UNREADABLE},
      {InUse("", "08:00:00", /*daily=*/true), ""},
      {InUse("01/01/2020", "", /*daily=*/true), TXT_ALARM_UNREADABLE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValidateAlarmDialog(c.state, now), c.message)
        << c.state.date_text << " " << c.state.time_text;
  }
}

TEST_F(AlarmDialogTest, OkWritesTheEightKeysInOrderInOneWrite) {
  AlarmDialogState state = InUse("21/03/2026", "00:00:10");
  state.play_sound = state.from_file = true;
  state.path = "D:\\Música\\galo.wav";
  const AlarmDialogOutcome outcome = ConfirmAlarmDialog(note_, state, clock_);
  EXPECT_TRUE(outcome.close && outcome.timer_enabled);
  EXPECT_EQ(files_.writes, 1);

  EXPECT_EQ(
      Config(),
      "[5]\r\nAlarm=1\r\nDiariamente=0\r\nTocarSom=1\r\nSom=1\r\nPath=D:\\M\xFAsica\\galo.wav\r\n"
      "Data=21/03/2026\r\nHora=00:00:10\r\nHoraAntes=23:59:10\r\n");

  // Without the alarm, past values are saved and the timer stops.
  state.use_alarm = false;
  state.time_text = "13:00:00";
  const AlarmDialogOutcome off = ConfirmAlarmDialog(note_, state, clock_);
  EXPECT_TRUE(off.close && !off.timer_enabled);
  EXPECT_EQ(note_.Read(NoteKey::kAlarm, "") + note_.Read(NoteKey::kHoraAntes, ""), "012:59:00");
}

TEST_F(AlarmDialogTest, DailyAlarmIsStoredAsServedUpToNow) {
  // Set at 14:05:30: 09:00 already passed today, 14:05 is still to fire in this minute.
  for (const auto& [hora, data] :
       {std::pair{"09:00:00", "20/03/2026"}, std::pair{"14:05:00", "19/03/2026"}}) {
    ASSERT_TRUE(ConfirmAlarmDialog(note_, InUse("01/01/2030", hora, true), clock_).close);
    EXPECT_EQ(note_.Read(NoteKey::kData, ""), data) << hora;
  }
  AlarmState state;
  EXPECT_TRUE(CheckAlarm(note_, clock_, state, kAppFolder).firing);  // 14:05 on time
}

TEST_F(AlarmDialogTest, UnwritableSettingsKeepTheDialogOpenAndTheFileWhole) {
  ASSERT_TRUE(note_.Apply({{NoteKey::kTitulo, "Lembrete"}}));
  const std::string before = Config();
  files_.disk_full_until = 1;
  const AlarmDialogOutcome outcome =
      ConfirmAlarmDialog(note_, InUse("21/03/2026", "10:00:00"), clock_);
  EXPECT_FALSE(outcome.close);
  EXPECT_EQ(outcome.message, TXT_ALARM_SAVE_FAILED);
  EXPECT_EQ(Config(), before);
}

}  // namespace
}  // namespace velumbrino
