// The date and time pickers of the alarm dialog against the platform's picker window: what is
// set reads back in the fixed two-digit forms, whatever form it was given in.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "alarm/date_time_picker_win.h"

namespace velumbrino {
namespace {

TEST(AlarmPicker, DateThenTimeRoundTripTheirTextsAndBadTextChangesNothing) {
  const HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  const LocalTime now{2026, 12, 6, 21, 40, 15};
  clsSysDateTimePick32 picker;
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host, clsSysDateTimePick32::Style::kDate, 0, 0, 100, 20, 1));
  EXPECT_EQ(GetWindowLongPtrW(picker.Get_Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
  EXPECT_TRUE(picker.Set_Date("5/1/2027", now));
  EXPECT_EQ(picker.Get_Date(), "05/01/2027");
  EXPECT_TRUE(picker.Set_Date("29/02/2028", now));
  for (const char* bad : {"31/02/2026", "12-05-2026", "", "amanhã"}) {
    EXPECT_FALSE(picker.Set_Date(bad, now)) << bad;
    EXPECT_EQ(picker.Get_Date(), "29/02/2028") << bad;
  }

  // Made again as the time picker: the date window goes.
  const HWND date_window = picker.Get_Handle();
  ASSERT_TRUE(
      picker.Create_DTP_Controllers(host, clsSysDateTimePick32::Style::kTime, 0, 0, 100, 20, 1));
  EXPECT_FALSE(IsWindow(date_window));
  EXPECT_NE(GetWindowLongPtrW(picker.Get_Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
  EXPECT_TRUE(picker.Set_Time("9:05", now));
  EXPECT_EQ(picker.Get_Time(), "09:05:00");
  EXPECT_TRUE(picker.Set_Time("23:59:59", now));
  for (const char* bad : {"24:00:00", "12:60", "meio-dia"}) {
    EXPECT_FALSE(picker.Set_Time(bad, now)) << bad;
    EXPECT_EQ(picker.Get_Time(), "23:59:59") << bad;
  }

  picker.Destroy_DTP_Controllers();
  EXPECT_EQ(picker.Get_Date(), "");
  EXPECT_FALSE(picker.Set_Time("10:00:00", now));
  DestroyWindow(host);
}

}  // namespace
}  // namespace velumbrino
