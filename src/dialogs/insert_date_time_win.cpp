#include "dialogs/insert_date_time_win.h"

#include "platform/wide_string_win.h"
#include "resource.h"

namespace velumbrino {

std::string SystemLongDate(const LocalTime& date) {
  SYSTEMTIME given{};
  given.wYear = static_cast<WORD>(date.year);
  given.wMonth = static_cast<WORD>(date.month);
  given.wDay = static_cast<WORD>(date.day);
  // Through a file time and back, which fills in the day of the week.
  FILETIME as_file_time{};
  SYSTEMTIME full{};
  if (!SystemTimeToFileTime(&given, &as_file_time) || !FileTimeToSystemTime(&as_file_time, &full)) {
    return {};
  }
  wchar_t text[128] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &full, nullptr, text, 128) == 0) {
    return {};
  }
  return Narrow(text);
}

std::optional<std::string> InsertDateTimeDialog::Choose(HWND owner, AppReadyFlag& app_ready) {
  result_.reset();
  RunModal(owner, IDD_INSERT_DATE_TIME, app_ready);
  return result_;
}

void InsertDateTimeDialog::OnInit() {
  // One reading of the clock: the samples stay those of the moment the dialog opened.
  const LocalTime now = clock_.Now();
  samples_ = DateTimeSamples(now, SystemLongDate(now));
  HWND list = Item(IDC_INSERT_LIST);
  for (const std::string& sample : samples_) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(sample).c_str()));
  }
  // Nothing is chosen yet, and "OK" without a choice would only wipe the note's selection.
  EnableItem(IDOK, false);
}

void InsertDateTimeDialog::OnCommand(int control_id, int notification) {
  if (control_id == IDC_INSERT_LIST) {
    if (notification == LBN_SELCHANGE) {
      EnableItem(IDOK, SendMessageW(Item(IDC_INSERT_LIST), LB_GETCURSEL, 0, 0) != LB_ERR);
    } else if (notification == LBN_DBLCLK) {
      Accept();
    }
    return;
  }
  if (notification != BN_CLICKED) return;
  if (control_id == IDOK) Accept();
  if (control_id == IDCANCEL) End(IDCANCEL);
}

void InsertDateTimeDialog::Accept() {
  const LRESULT chosen = SendMessageW(Item(IDC_INSERT_LIST), LB_GETCURSEL, 0, 0);
  if (chosen < 0 || chosen >= static_cast<LRESULT>(samples_.size())) return;
  result_ = samples_[static_cast<std::size_t>(chosen)];
  End(IDOK);
}

}  // namespace velumbrino
