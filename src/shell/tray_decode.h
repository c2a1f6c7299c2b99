#pragma once
// What a notification from the tray icon asks the program to do.

#include <cstdint>
#include <optional>

namespace velumbrino {

enum class TrayAction {
  kNone,      // ignored: moves, single clicks (NIN_SELECT), presses and releases, balloon events
  kNewNote,   // left double click, or Enter or Space on the icon (NIN_KEYSELECT)
  kShowMenu,  // WM_CONTEXTMENU: a right click, Shift+F10 or the Menu key on the icon
};

// The icon asks for version 3 notifications: the callback's lParam is the event itself (only
// its low word is looked at, which is also where version 4 puts it). The menu opens on
// WM_CONTEXTMENU alone, which the shell sends after the right button's release and for the
// keyboard, so a right click opens it once.
class TrayDecoder {
 public:
  // `now_ms` is a millisecond tick that may wrap; `double_click_ms` the system's double-click
  // time. Nothing is done while the program is not ready (restoring notes or a dialog open).
  TrayAction Decode(std::uint32_t notification, bool app_ready, std::uint32_t now_ms,
                    std::uint32_t double_click_ms);

 private:
  // The shell may send NIN_KEYSELECT twice for one press of Enter: a second one within the
  // double-click time is the same press.
  std::optional<std::uint32_t> last_key_select_ms_;
};

}  // namespace velumbrino
