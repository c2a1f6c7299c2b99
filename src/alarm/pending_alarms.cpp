#include "alarm/pending_alarms.h"

#include <algorithm>
#include <utility>

namespace velumbrino {

void PendingAlarms::Add(AlarmFiring firing) {
  Drop(firing.note);
  waiting_.push_back(std::move(firing));
}

void PendingAlarms::Drop(std::string_view note) {
  std::erase_if(waiting_, [&](const AlarmFiring& firing) { return firing.note == note; });
}

std::vector<AlarmFiring> PendingAlarms::TakeAll() { return std::exchange(waiting_, {}); }

}  // namespace velumbrino
