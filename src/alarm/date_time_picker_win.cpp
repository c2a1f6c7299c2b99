#include "alarm/date_time_picker_win.h"

#include <commctrl.h>

#include "alarm/alarm_time.h"

namespace velumbrino {

namespace {

bool RegisterPickerClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  return registered;
}

}  // namespace

bool clsSysDateTimePick32::Create_DTP_Controllers(HWND host, Style style, int x, int y, int width,
                                                  int height, int control_id) {
  Destroy_DTP_Controllers();
  RegisterPickerClass();
  style_ = style;
  const DWORD kind = style == Style::kTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
  handle_ = CreateWindowExW(0, DATETIMEPICK_CLASSW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind, x, y, width, height, host,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!handle_) return false;
  // A fixed form, so that what is shown is what the alarm stores: two-digit day and month,
  // four-digit year; 24-hour time with seconds.
  const wchar_t* format = style == Style::kTime ? L"HH':'mm':'ss" : L"dd'/'MM'/'yyyy";
  SendMessageW(handle_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(host, WM_GETFONT, 0, 0))) {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  return true;
}

void clsSysDateTimePick32::Destroy_DTP_Controllers() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  handle_ = nullptr;
}

bool clsSysDateTimePick32::GetValue(SYSTEMTIME& value) const {
  value = {};
  return handle_ &&
         SendMessageW(handle_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) == GDT_VALID;
}

std::string clsSysDateTimePick32::Get_Date() const {
  SYSTEMTIME value{};
  if (!GetValue(value)) return {};
  return FormatAlarmDate(AlarmDate{value.wYear, value.wMonth, value.wDay});
}

std::string clsSysDateTimePick32::Get_Time() const {
  SYSTEMTIME value{};
  if (!GetValue(value)) return {};
  return FormatAlarmTime(AlarmTime{value.wHour, value.wMinute, value.wSecond});
}

bool clsSysDateTimePick32::SetValue(const LocalTime& value) {
  if (!handle_) return false;
  SYSTEMTIME record{};
  record.wYear = static_cast<WORD>(value.year);
  record.wMonth = static_cast<WORD>(value.month);
  record.wDay = static_cast<WORD>(value.day);
  record.wHour = static_cast<WORD>(value.hour);
  record.wMinute = static_cast<WORD>(value.minute);
  record.wSecond = static_cast<WORD>(value.second);
  return SendMessageW(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&record)) !=
         0;
}

bool clsSysDateTimePick32::Set_Date(std::string_view date_text, const LocalTime& now) {
  const auto value = DatePickerValue(date_text, now);
  return value && SetValue(*value);
}

bool clsSysDateTimePick32::Set_Time(std::string_view time_text, const LocalTime& now) {
  const auto value = TimePickerValue(time_text, now);
  return value && SetValue(*value);
}

}  // namespace velumbrino
