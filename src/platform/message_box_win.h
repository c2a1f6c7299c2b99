#pragma once
// Message boxes of the program: UTF-8 texts, AppReady cleared while the box is up.

#include <windows.h>

#include <string_view>

#include "platform/modal_guard.h"

namespace velumbrino {

// MessageBoxW's answer (IDYES, IDOK, ...).
int ShowMessageBox(AppReadyFlag& app_ready, HWND owner, std::string_view text,
                   std::string_view title, UINT style);

}  // namespace velumbrino
