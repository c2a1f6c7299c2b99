#include "platform/dialog_base_win.h"

#include "platform/wide_string_win.h"

namespace velumbrino {

INT_PTR DialogBase::RunModal(HWND owner, int template_id, AppReadyFlag& app_ready) {
  ModalGuard modal(app_ready);
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                         &DialogBase::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::Procedure(HWND dialog, UINT message, WPARAM wparam,
                                       LPARAM lparam) {
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogBase*>(lparam);
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    self->hwnd_ = dialog;
    self->CentreOnOwnerScreen();
    self->OnInit();
    return TRUE;
  }
  if (!self) return FALSE;
  switch (message) {
    case WM_ACTIVATE:
      // Above pinned notes, which are topmost themselves.
      if (LOWORD(wparam) != WA_INACTIVE) {
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      }
      return FALSE;
    case WM_COMMAND:
      self->OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      self->OnCommand(IDCANCEL, BN_CLICKED);
      return TRUE;
    case WM_NCDESTROY:
      self->hwnd_ = nullptr;
      return FALSE;
    default: {
      INT_PTR result = 0;
      if (!self->OnMessage(message, wparam, lparam, result)) return FALSE;
      // Messages whose answer is the dialog procedure's own return value.
      if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG ||
          message == WM_CTLCOLORBTN || message == WM_CTLCOLOREDIT) {
        return result;
      }
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

void DialogBase::OnCommand(int control_id, int notification) {
  if ((control_id == IDOK || control_id == IDCANCEL) && notification == BN_CLICKED) {
    End(control_id);
  }
}

bool DialogBase::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void DialogBase::End(INT_PTR result) { EndDialog(hwnd_, result); }

void DialogBase::CentreOnOwnerScreen() {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT box{};
  GetWindowRect(hwnd_, &box);
  const RECT& area = monitor.rcWork;
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string DialogBase::ItemText(int control_id) const {
  HWND item = Item(control_id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), length + 1)));
  return Narrow(text);
}

void DialogBase::SetItemText(int control_id, std::string_view text) {
  SetDlgItemTextW(hwnd_, control_id, Widen(text).c_str());
}

bool DialogBase::IsChecked(int control_id) const {
  return IsDlgButtonChecked(hwnd_, control_id) == BST_CHECKED;
}

void DialogBase::SetChecked(int control_id, bool checked) {
  CheckDlgButton(hwnd_, control_id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void DialogBase::EnableItem(int control_id, bool enabled) {
  EnableWindow(Item(control_id), enabled ? TRUE : FALSE);
}

}  // namespace velumbrino
