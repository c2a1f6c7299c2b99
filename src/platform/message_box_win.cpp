#include "platform/message_box_win.h"

#include "platform/wide_string_win.h"

namespace velumbrino {

int ShowMessageBox(AppReadyFlag& app_ready, HWND owner, std::string_view text,
                   std::string_view title, UINT style) {
  ModalGuard modal(app_ready);
  return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), style);
}

}  // namespace velumbrino
