#pragma once
// The about box FrmAbout: the program's icon, name and version, and its web address.

#include <windows.h>

#include "platform/modal_guard.h"

namespace velumbrino {

// The address the web link of the about box opens.
extern const wchar_t kMakerWebAddress[];

// Shows the about box modally and returns when the user closes it.
void ShowAboutBox(HWND owner, AppReadyFlag& app_ready);

}  // namespace velumbrino
