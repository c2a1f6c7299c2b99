#pragma once
// The about box FrmAbout: the program's icon, name and version, and its web address.

#include <windows.h>

#include <functional>

namespace velumbrino {

// The address the web link of the about box opens.
extern const wchar_t kMakerWebAddress[];
// Caption of the about box, by which tests find it.
extern const wchar_t kAboutBoxTitle[];

// Shows the about box modally and returns when the user closes it. `set_app_ready` is called
// with false when the box opens and with true when it has closed; it may be empty.
void ShowAboutBox(HWND owner, const std::function<void(bool)>& set_app_ready);

}  // namespace velumbrino
