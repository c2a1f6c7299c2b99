#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "platform/registry_win.h"
#include "platform/single_instance_win.h"
#include "platform/system_library_win.h"
#include "shell/frm_popup_win.h"

using namespace velumbrino;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  LimitLibrarySearchToSystem();
  const DefaultFont font = LoadDefaultFont(RegistryPreferences());

  if (command_line && std::wcscmp(command_line, L"uninstall") == 0) {
    RequestRunningInstanceClose();
    return 1;
  }
  SingleInstance instance;
  if (!instance.IsOnlyInstance()) return 1;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                     ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  FrmPopup controller(font);
  if (!controller.Start()) return 1;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 1;
}
