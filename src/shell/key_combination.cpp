#include "shell/key_combination.h"

namespace velumbrino {

bool KeyCombinationEdge::Update(bool all_held) {
  const bool pressed_now = all_held && !held_;
  held_ = all_held;
  return pressed_now;
}

}  // namespace velumbrino
