#pragma once
// clsSysDateTimePick32: one of the platform's date-and-time picker windows inside a host
// window, exchanging its value as text. The date form shows and gives "dd/MM/yyyy" with a
// drop-down calendar; the time form shows and gives the 24-hour "HH:mm:ss" with up-down
// arrows, whatever the user's regional settings.

#include <windows.h>

#include <string>
#include <string_view>

#include "store/clock.h"

namespace velumbrino {

class clsSysDateTimePick32 {
 public:
  enum class Style { kDate, kTime };

  clsSysDateTimePick32() = default;
  clsSysDateTimePick32(const clsSysDateTimePick32&) = delete;
  clsSysDateTimePick32& operator=(const clsSysDateTimePick32&) = delete;
  ~clsSysDateTimePick32() { Destroy_DTP_Controllers(); }

  // Creates the picker as child `control_id` of `host` at the given place (pixels of the
  // host), replacing one this object made before. False when the window could not be made.
  bool Create_DTP_Controllers(HWND host, Style style, int x, int y, int width, int height,
                              int control_id);
  void Destroy_DTP_Controllers();
  HWND Get_Handle() const { return handle_; }

  // The picked date, "dd/MM/yyyy"; empty without a window.
  std::string Get_Date() const;
  // The picked time, "HH:mm:ss"; empty without a window.
  std::string Get_Time() const;
  // Show the date (the time of day is taken from `now`) or the time (today's date beside
  // it). An unreadable text leaves the value as it was and gives false.
  bool Set_Date(std::string_view date_text, const LocalTime& now);
  bool Set_Time(std::string_view time_text, const LocalTime& now);

 private:
  bool SetValue(const LocalTime& value);
  bool GetValue(SYSTEMTIME& value) const;

  HWND handle_ = nullptr;
  Style style_ = Style::kDate;
};

}  // namespace velumbrino
