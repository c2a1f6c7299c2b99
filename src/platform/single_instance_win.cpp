#include "platform/single_instance_win.h"

namespace velumbrino {

SingleInstance::SingleInstance()
    : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Ovrask.Velumbrino.Instance")) {
  only_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

bool RequestRunningInstanceClose() {
  HWND running = FindWindowW(kControllerClass, kControllerTitle);
  return running && PostMessageW(running, WM_CLOSE, 0, 0);
}

}  // namespace velumbrino
