#pragma once
// One running instance per user session, and the request that asks it to close.

#include <windows.h>

#include "platform/unique_handle.h"

namespace velumbrino {

// The hidden controller window's class and title, by which an uninstall request finds the
// instance. The class too: a note's window carries its title, which may be anything.
inline constexpr const wchar_t* kControllerClass = L"VelumbrinoFrmPopup";
inline constexpr const wchar_t* kControllerTitle = L" Velumbrino ";

class SingleInstance {
 public:
  SingleInstance();
  // False when another instance of the program already runs in this session.
  bool IsOnlyInstance() const { return only_; }

 private:
  unique_kernel_handle mutex_;
  bool only_ = false;
};

// Posts WM_CLOSE to the running instance's controller window; false when none runs.
bool RequestRunningInstanceClose();

}  // namespace velumbrino
