#pragma once
// Firings that wait for AppReady (a dialog is open, or start-up is still restoring), kept by
// the caller instead of a wait loop inside the timer tick.

#include <string_view>
#include <vector>

#include "alarm/alarm_check.h"

namespace velumbrino {

class PendingAlarms {
 public:
  // One waiting firing per note: a later one replaces the earlier (a daily alarm that came
  // due again while a dialog stayed open signals once).
  void Add(AlarmFiring firing);
  // The note was deleted (or closed): its waiting firing must not signal.
  void Drop(std::string_view note);
  // Every waiting firing, oldest first, and the queue emptied. Call when AppReady is true.
  std::vector<AlarmFiring> TakeAll();
  bool Empty() const { return waiting_.empty(); }

 private:
  std::vector<AlarmFiring> waiting_;
};

}  // namespace velumbrino
