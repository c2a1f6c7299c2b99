#include "shell/tray_decode.h"

namespace velumbrino {

namespace {
constexpr std::uint32_t kContextMenu = 0x007B;           // WM_CONTEXTMENU
constexpr std::uint32_t kLeftButtonDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
constexpr std::uint32_t kKeySelect = 0x401;              // NIN_KEYSELECT (WM_USER + 1)
}  // namespace

TrayAction TrayDecoder::Decode(std::uint32_t notification, bool app_ready, std::uint32_t now_ms,
                               std::uint32_t double_click_ms) {
  switch (notification & 0xFFFF) {
    case kKeySelect: {
      // Unsigned difference: right across the tick's wrap.
      const bool repeat = last_key_select_ms_ && now_ms - *last_key_select_ms_ <= double_click_ms;
      last_key_select_ms_ = now_ms;
      return app_ready && !repeat ? TrayAction::kNewNote : TrayAction::kNone;
    }
    case kLeftButtonDoubleClick:
      return app_ready ? TrayAction::kNewNote : TrayAction::kNone;
    case kContextMenu:
      return app_ready ? TrayAction::kShowMenu : TrayAction::kNone;
    default:
      return TrayAction::kNone;
  }
}

}  // namespace velumbrino
