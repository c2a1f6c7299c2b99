#include "shell/frm_popup_win.h"

#include <shlobj.h>
#include <windowsx.h>

#include "note/note_window_win.h"
#include "platform/file_system_win.h"
#include "platform/single_instance_win.h"
#include "platform/system_paths_win.h"
#include "platform/wide_string_win.h"
#include "resource.h"
#include "store/data_folder.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

constexpr UINT_PTR kKeyCombinationTimer = 1;
constexpr UINT kKeyCombinationInterval = 100;
// The pause before each restored note; the message loop runs between two notes.
constexpr UINT_PTR kRestoreTimer = 2;
constexpr UINT kRestorePause = 50;
// Posted by a right press in a note body, so that the menu (whose command may close that
// very note) opens only after the body has finished handling the press.
constexpr UINT kOpenNoteMenuMessage = WM_APP + 20;
// Posted when AppReady turns true: alarms that came due meanwhile signal from the message
// loop, not from inside the closing dialog's code.
constexpr UINT kReleaseAlarmsMessage = WM_APP + 21;

}  // namespace

FrmPopup::FrmPopup(DefaultFont default_font)
    : default_font_(std::move(default_font)),
      tray_menu_(TrayMenuItems()),
      note_menu_(NoteMenuItems()) {}

FrmPopup::~FrmPopup() = default;

bool FrmPopup::Start(const std::string& data_folder) {
  WNDCLASSEXW wc{};
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kControllerClass;
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_VELUMBRINO));
  if (!RegisterClassOnce(wc)) return false;
  // A top-level window (not message-only) so that an uninstall request can find its title.
  if (!Create(WS_EX_TOOLWINDOW, kControllerClass, kControllerTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
              nullptr)) {
    return false;
  }

  const std::string folder = !data_folder.empty()
                                 ? data_folder
                                 : DataFolderPathFor(GetSpecialFolder(CSIDL_PERSONAL, hwnd()));
  const PrepareResult prepared = PrepareDataFolder(WinFileSystem(), folder, GetLoginName());
  first_run_ = prepared == PrepareResult::kCreated;
  app_folder_ = AppFolder();

  factory_ = std::make_unique<NoteWindowFactoryWin>(*this, clock_);
  notes_ = std::make_unique<NoteCollection>(WinFileSystem(), *factory_, folder);
  notes_->SetClock(clock_);
  router_ = std::make_unique<CommandRouter>(*notes_, state_, default_font_,
                                            static_cast<ShellServices&>(*this), app_folder_);
  alarms_ = std::make_unique<AlarmSignal>(
      *notes_, clock_, state_.app_ready, app_folder_,
      [this](const std::string& file) { PlaySoundFile(file); });
  state_.app_ready.SetOnReady([this] {
    if (alarms_ && alarms_->HasWaiting()) PostMessageW(hwnd(), kReleaseAlarmsMessage, 0, 0);
  });

  tray_ = std::make_unique<TrayIcon>(hwnd(), wc.hIcon);
  tray_->Add();
  if (first_run_) {
    tray_->ShowBalloon(Widen(TXT_MESSAGE_TITLE), Widen(TXT_WELCOME_BALLOON), NIIF_INFO, 30000);
  }
  SetTimer(hwnd(), kKeyCombinationTimer, kKeyCombinationInterval, nullptr);

  lifecycle_ = std::make_unique<Lifecycle>(*notes_, default_font_,
                                           static_cast<LifecycleHost&>(*this));
  if (!lifecycle_->Start(clock_.Now(), prepared == PrepareResult::kFailed)) {
    tray_.reset();
    return false;
  }
  SetTimer(hwnd(), kRestoreTimer, kRestorePause, nullptr);
  return true;
}

void FrmPopup::OnRestoreTick() {
  if (lifecycle_ && lifecycle_->RestoreTick()) KillTimer(hwnd(), kRestoreTimer);
}

void FrmPopup::RestoreFinished() {
  state_.app_ready.MarkStarted();
  // Alarms whose minute passed while the program was not running fire now, once.
  alarms_->CheckAll();
}

void FrmPopup::BodyPressed(NoteWindow& note, bool right_button, int screen_x, int screen_y) {
  state_.current_note_number = static_cast<int>(LeadingNumber(note.Tag()));
  if (!right_button) return;
  state_.current_note_window = notes_->FindNoteWindow(state_.current_note_number);
  PostMessageW(hwnd(), kOpenNoteMenuMessage, 0, MAKELPARAM(screen_x, screen_y));
}

void FrmPopup::TrackAndRun(PopupMenu& menu, const MenuContext& context, int x, int y,
                           int note_number) {
  menu.Prepare(context);
  CommandId chosen = CommandId::kNone;
  {
    ModalGuard menu_open(state_.app_ready);
    chosen = menu.Track(hwnd(), x, y);
  }
  if (chosen != CommandId::kNone) router_->Run(chosen, note_number);
}

void FrmPopup::OpenNoteMenu(int screen_x, int screen_y) {
  if (!state_.app_ready.IsReady() || state_.current_note_window == 0) return;
  // Captured now: whatever the command opens, it works on this note.
  const int note = state_.current_note_number;
  TrackAndRun(note_menu_, router_->NoteMenuContext(note), screen_x, screen_y, note);
  // The menu made the hidden controller the active window: typing, Shift+F10 and the next
  // click go to the note again, if the command left it on the screen.
  if (const int position = notes_->FindNoteWindow(note)) {
    NoteWindow& window = notes_->At(position);
    if (window.Visible() && state_.app_ready.IsReady()) window.FocusBody();
  }
}

void FrmPopup::OpenTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackAndRun(tray_menu_, router_->TrayMenuContext(), cursor.x, cursor.y, 0);
}

void FrmPopup::OnTrayNotification(UINT notification) {
  switch (tray_decoder_.Decode(notification, state_.app_ready.IsReady(), GetTickCount(),
                               GetDoubleClickTime())) {
    case TrayAction::kNewNote:
      router_->NewNote();
      break;
    case TrayAction::kShowMenu:
      OpenTrayMenu();
      break;
    case TrayAction::kNone:
      break;
  }
}

void FrmPopup::OnKeyCombinationTick() {
  // Bit 15: held now; bit 0: pressed since the last query (a tap between two ticks).
  const SHORT combined = static_cast<SHORT>(GetAsyncKeyState(VK_CONTROL) &
                                            GetAsyncKeyState(VK_SHIFT) & GetAsyncKeyState('N'));
  const bool held = combined != 0;
  if (!state_.app_ready.IsReady()) {
    key_combination_.Reset(held);
    return;
  }
  if (key_combination_.Update(held)) router_->NewNote();
}

void FrmPopup::CloseProgram() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void FrmPopup::PinClicked(NoteWindow& note) {
  const int position = notes_->FindNoteWindow(static_cast<int>(LeadingNumber(note.Tag())));
  if (position > 0) notes_->TogglePin(position);
}

void FrmPopup::NoteNeedsSave(NoteWindow& note) {
  lifecycle_->NoteChanged(static_cast<int>(LeadingNumber(note.Tag())), clock_.Now());
}

void FrmPopup::AlarmCheckTick(NoteWindowWin& note) { alarms_->CheckTick(note); }
void FrmPopup::BlinkTick(NoteWindowWin& note) { alarms_->BlinkTick(note); }
void FrmPopup::StopBlinking(NoteWindowWin& note) { alarms_->StopBlinking(note); }
void FrmPopup::NoteClosing(NoteWindowWin& note) {
  if (alarms_) alarms_->NoteClosing(note.Tag());
}

void FrmPopup::Shutdown() {
  if (lifecycle_ && lifecycle_->ShuttingDown()) return;
  KillTimer(hwnd(), kKeyCombinationTimer);
  KillTimer(hwnd(), kRestoreTimer);
  if (lifecycle_) lifecycle_->Shutdown();
  // The note windows are left to the end of the process: destroying some hundreds of them
  // one by one stalled in DestroyWindow under Wine, and the saved notes need nothing more.
  tray_.reset();
  ExitProcess(1);
}

bool FrmPopup::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (PopupMenu::HandleOwnerDrawMessage(message, wparam, lparam, result)) return true;
  if (message == TrayIcon::TaskbarCreatedMessage() && message != 0) {
    // The shell restarted: without the icon the menus would be unreachable.
    if (tray_) tray_->Add();
    return true;
  }
  switch (message) {
    case kTrayCallbackMessage:
      OnTrayNotification(static_cast<UINT>(LOWORD(lparam)));
      return true;
    case kOpenNoteMenuMessage:
      OpenNoteMenu(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return true;
    case kReleaseAlarmsMessage:
      if (alarms_) alarms_->ReleaseWaiting();
      return true;
    case WM_POWERBROADCAST:
      // Back from sleep: alarms whose minute passed meanwhile fire now, once.
      if ((wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) && alarms_ &&
          !lifecycle_->Restoring()) {
        alarms_->CheckAll();
      }
      result = TRUE;
      return true;
    case WM_TIMER:
      if (wparam == kKeyCombinationTimer) OnKeyCombinationTick();
      if (wparam == kRestoreTimer) OnRestoreTick();
      return true;
    case WM_CLOSE:
      Shutdown();
      return true;
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      // Logging off or shutting Windows down saves like any other close.
      if (wparam) Shutdown();
      return true;
    default:
      return false;
  }
}

}  // namespace velumbrino
