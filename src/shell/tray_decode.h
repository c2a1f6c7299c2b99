#pragma once
// What a notification from the tray icon asks the program to do.

#include <cstdint>

namespace velumbrino {

enum class TrayAction {
  kNone,      // ignored: moves, single clicks, right press, balloon events, not ready
  kNewNote,   // left double click
  kShowMenu,  // right button released
};

// `notification` is the callback's lParam; with the icon's version 3 it is the mouse message
// itself (only its low word is looked at, which is also where version 4 puts it).
// Nothing is done while the program is not ready (restoring notes or a dialog open).
TrayAction DecodeTrayNotification(std::uint32_t notification, bool app_ready);

}  // namespace velumbrino
