// The date and time pickers of the alarm dialog against the platform's picker window: what is
// set reads back in the fixed two-digit forms, whatever form it was given in.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "alarm/date_time_picker_win.h"

namespace velumbrino {
namespace {

class AlarmPickerTest : public ::testing::Test {
 protected:
  AlarmPickerTest() {
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  ~AlarmPickerTest() override { DestroyWindow(host_); }

  HWND host_ = nullptr;
  const LocalTime now_{2026, 12, 6, 21, 40, 15};
};

TEST_F(AlarmPickerTest, DatePickerRoundTripsTheDayMonthYearText) {
  clsSysDateTimePick32 picker;
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host_, clsSysDateTimePick32::Style::kDate, 0, 0, 100, 20, 1));
  EXPECT_EQ(GetWindowLongPtrW(picker.Get_Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
  struct Case {
    const char* given;
    const char* read_back;
  };
  for (const Case& c : {Case{"05/12/2026", "05/12/2026"}, Case{"5/1/2027", "05/01/2027"},
                        Case{"29/02/2028", "29/02/2028"}, Case{"31/12/2099", "31/12/2099"}}) {
    EXPECT_TRUE(picker.Set_Date(c.given, now_)) << c.given;
    EXPECT_EQ(picker.Get_Date(), c.read_back) << c.given;
  }
  // Unreadable or impossible dates leave the value as it was.
  for (const char* bad : {"31/02/2026", "12-05-2026", "", "amanhã"}) {
    EXPECT_FALSE(picker.Set_Date(bad, now_)) << bad;
    EXPECT_EQ(picker.Get_Date(), "31/12/2099") << bad;
  }
}

TEST_F(AlarmPickerTest, TimePickerRoundTripsTheTwentyFourHourText) {
  clsSysDateTimePick32 picker;
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host_, clsSysDateTimePick32::Style::kTime, 0, 0, 100, 20, 2));
  EXPECT_NE(GetWindowLongPtrW(picker.Get_Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
  struct Case {
    const char* given;
    const char* read_back;
  };
  for (const Case& c : {Case{"14:30:00", "14:30:00"}, Case{"00:00:00", "00:00:00"},
                        Case{"9:05", "09:05:00"}, Case{"23:59:59", "23:59:59"}}) {
    EXPECT_TRUE(picker.Set_Time(c.given, now_)) << c.given;
    EXPECT_EQ(picker.Get_Time(), c.read_back) << c.given;
  }
  for (const char* bad : {"24:00:00", "12:60", "meio-dia"}) {
    EXPECT_FALSE(picker.Set_Time(bad, now_)) << bad;
    EXPECT_EQ(picker.Get_Time(), "23:59:59") << bad;
  }
}

TEST_F(AlarmPickerTest, RecreatingReplacesTheWindowAndDestroyingClearsIt) {
  clsSysDateTimePick32 picker;
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host_, clsSysDateTimePick32::Style::kDate, 0, 0, 100, 20, 3));
  HWND first = picker.Get_Handle();
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host_, clsSysDateTimePick32::Style::kTime, 0, 0, 100, 20, 3));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(picker.Get_Handle()));
  picker.Destroy_DTP_Controllers();
  EXPECT_EQ(picker.Get_Handle(), nullptr);
  EXPECT_EQ(picker.Get_Date(), "");
  EXPECT_FALSE(picker.Set_Time("10:00:00", now_));
}

}  // namespace
}  // namespace velumbrino
