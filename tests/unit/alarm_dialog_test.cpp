#include "alarm/alarm_dialog.h"

#include <gtest/gtest.h>

#include "alarm/alarm_check.h"
#include "fake_clock.h"
#include "fault_files.h"
#include "temp_folder.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

using testing::FakeClock;
using testing::FullDiskFileSystem;
using testing::TempFolder;

constexpr std::string_view kAppFolder = "C:\\Programa\\";

class AlarmDialogTest : public ::testing::Test {
 protected:
  AlarmDialogState InUse(const char* date, const char* time, bool daily = false) {
    return {.use_alarm = true,
            .daily = daily,
            .path = BuiltInAlarmSound(kAppFolder),
            .date_text = date,
            .time_text = time};
  }

  TempFolder dir_;
  FullDiskFileSystem files_;
  SettingsFile settings_{files_, dir_.Path() + "config.cfg"};
  NoteSettings note_{settings_, 5};
  FakeClock clock_{{2026, 3, 20, 14, 5, 30}};
};

TEST_F(AlarmDialogTest, LoadsStoredValuesOrDefaults) {
  AlarmDialogState state = LoadAlarmDialog(note_, clock_, kAppFolder);
  EXPECT_FALSE(state.use_alarm || state.daily || state.play_sound || state.from_file);
  EXPECT_EQ(state.path, "C:\\Programa\\Alarme\\Alarm08.wav");
  EXPECT_EQ(state.date_text + " " + state.time_text, "20/03/2026 14:05:30");

  files_.writes_left = -1;
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
  files_.writes_left = 1;
  AlarmDialogState state = InUse("21/03/2026", "00:00:10");
  state.play_sound = state.from_file = true;
  state.path = "D:\\Música\\galo.wav";
  const AlarmDialogOutcome outcome = ConfirmAlarmDialog(note_, state, clock_);
  EXPECT_TRUE(outcome.close && outcome.timer_enabled);
  EXPECT_EQ(files_.writes_left, 0);

  const std::string text = dir_.Read("config.cfg");
  std::size_t at = text.find("[5]");
  for (const char* line :
       {"Alarm=1", "Diariamente=0", "TocarSom=1", "Som=1", "Path=D:\\M\xFAsica\\galo.wav",
        "Data=21/03/2026", "Hora=00:00:10", "HoraAntes=23:59:10"}) {
    const std::size_t found = text.find(line);
    ASSERT_NE(found, std::string::npos) << line;
    EXPECT_GT(found, at) << line;
    at = found;
  }

  files_.writes_left = 1;  // without the alarm, past values are saved and the timer stops
  state.use_alarm = false;
  state.time_text = "13:00:00";
  const AlarmDialogOutcome off = ConfirmAlarmDialog(note_, state, clock_);
  EXPECT_TRUE(off.close && !off.timer_enabled);
  EXPECT_EQ(note_.Read(NoteKey::kAlarm, "") + note_.Read(NoteKey::kHoraAntes, ""), "012:59:00");
}

TEST_F(AlarmDialogTest, DailyAlarmIsStoredAsServedUpToNow) {
  files_.writes_left = -1;
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
  files_.writes_left = 1;
  ASSERT_TRUE(note_.Apply({{NoteKey::kTitulo, "Lembrete"}}));
  const std::string before = dir_.Read("config.cfg");
  const AlarmDialogOutcome outcome =
      ConfirmAlarmDialog(note_, InUse("21/03/2026", "10:00:00"), clock_);
  EXPECT_FALSE(outcome.close);
  EXPECT_EQ(outcome.message, TXT_ALARM_SAVE_FAILED);
  EXPECT_EQ(dir_.Read("config.cfg"), before);
}

}  // namespace
}  // namespace velumbrino
