#pragma once
// Turns the polled state of Shift+Ctrl+N into one event per press: a note is created when the
// three keys become held together, not on every poll while they stay held.

namespace velumbrino {

class KeyCombinationEdge {
 public:
  // `all_held`: every key of the combination is down at this poll. Returns true only on the
  // poll where that becomes true; it must be seen released before it can fire again.
  bool Update(bool all_held);
  // Forgets a held combination, e.g. while input is ignored, so a press held across that time
  // does not fire when input is accepted again.
  void Reset(bool currently_held) { held_ = currently_held; }

 private:
  bool held_ = false;
};

}  // namespace velumbrino
