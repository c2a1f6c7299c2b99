#include "shell/tray_decode.h"

namespace velumbrino {

namespace {
constexpr std::uint32_t kLeftButtonDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
constexpr std::uint32_t kRightButtonUp = 0x205;          // WM_RBUTTONUP
}  // namespace

TrayAction DecodeTrayNotification(std::uint32_t notification, bool app_ready) {
  if (!app_ready) return TrayAction::kNone;
  switch (notification & 0xFFFF) {
    case kLeftButtonDoubleClick:
      return TrayAction::kNewNote;
    case kRightButtonUp:
      return TrayAction::kShowMenu;
    default:
      return TrayAction::kNone;
  }
}

}  // namespace velumbrino
