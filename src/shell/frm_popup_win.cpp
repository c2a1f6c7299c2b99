#include "shell/frm_popup_win.h"

#include <mmsystem.h>
#include <shlobj.h>
#include <windowsx.h>

#include "note/note_window_win.h"
#include "platform/file_system_win.h"
#include "platform/single_instance_win.h"
#include "platform/system_paths_win.h"
#include "platform/wide_string_win.h"
#include "shell/about_win.h"
#include "shell/help_win.h"
#include "shell/restore.h"
#include "shell/tray_decode.h"
#include "store/data_folder.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

constexpr const wchar_t* kControllerClass = L"VelumbrinoFrmPopup";
constexpr const wchar_t* kMessageTitle = L"Velumbrino";
constexpr UINT_PTR kKeyCombinationTimer = 1;
constexpr UINT kKeyCombinationInterval = 100;
// Posted by a right press in a note body, so that the menu (whose command may close that
// very note) opens only after the body has finished handling the press.
constexpr UINT kOpenNoteMenuMessage = WM_APP + 20;
constexpr const wchar_t* kWelcomeBalloonText =
    L"Para criar uma nova nota dê um clique dublo no ícone do Velumbrino ou pressione "
    L"Shift+Ctrl+N  ";

}  // namespace

FrmPopup::FrmPopup(DefaultFont default_font)
    : default_font_(std::move(default_font)),
      tray_menu_(TrayMenuItems()),
      note_menu_(NoteMenuItems()) {
  for (const auto* items : {&TrayMenuItems(), &NoteMenuItems()}) {
    // Items whose features are not in the program yet stay in place, disabled.
    std::vector<const std::vector<MenuItemSpec>*> pending{items};
    while (!pending.empty()) {
      const auto* level = pending.back();
      pending.pop_back();
      for (const MenuItemSpec& item : *level) {
        if (!item.IsSeparator() && !CommandAvailable(item.id)) {
          tray_menu_.SetEnabled(item.id, false);
          note_menu_.SetEnabled(item.id, false);
        }
        if (!item.submenu.empty()) pending.push_back(&item.submenu);
      }
    }
  }
}

FrmPopup::~FrmPopup() = default;

bool FrmPopup::Start() {
  WNDCLASSEXW wc{};
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kControllerClass;
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(100));
  if (!RegisterClassOnce(wc)) return false;
  // A top-level window (not message-only) so that an uninstall request can find its title.
  if (!Create(WS_EX_TOOLWINDOW, kControllerClass, kControllerTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
              nullptr)) {
    return false;
  }

  const std::string folder = DataFolderPathFor(GetSpecialFolder(CSIDL_PERSONAL, hwnd()));
  const PrepareResult prepared = PrepareDataFolder(WinFileSystem(), folder, GetLoginName());
  first_run_ = prepared == PrepareResult::kCreated;
  app_folder_ = AppFolder();

  factory_ = std::make_unique<NoteWindowFactoryWin>(*this, clock_);
  notes_ = std::make_unique<NoteCollection>(WinFileSystem(), *factory_, folder);
  router_ = std::make_unique<CommandRouter>(*notes_, state_, default_font_,
                                            static_cast<ShellServices&>(*this), app_folder_);

  tray_ = std::make_unique<TrayIcon>(hwnd(), wc.hIcon);
  tray_->Add();
  if (first_run_) tray_->ShowBalloon(kMessageTitle, kWelcomeBalloonText, NIIF_INFO, 30000);
  SetTimer(hwnd(), kKeyCombinationTimer, kKeyCombinationInterval, nullptr);

  RestorePacing pacing;
  pacing.before_note = [this] {
    Sleep(50);
    ProcessPendingMessages();
  };
  pacing.after_note = [this] { ProcessPendingMessages(); };
  restoring_ = true;
  RestoreNotes(*notes_, default_font_, pacing);
  restoring_ = false;
  state_.app_ready = true;

  if (prepared == PrepareResult::kFailed) ReportSaveFailure();
  return true;
}

void FrmPopup::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void FrmPopup::BodyPressed(NoteWindow& note, bool right_button, int screen_x, int screen_y) {
  state_.current_note_number = static_cast<int>(LeadingNumber(note.Tag()));
  if (!right_button) return;
  state_.current_note_window = notes_->FindNoteWindow(state_.current_note_number);
  PostMessageW(hwnd(), kOpenNoteMenuMessage, 0, MAKELPARAM(screen_x, screen_y));
}

void FrmPopup::OpenNoteMenu(int screen_x, int screen_y) {
  if (!state_.app_ready || state_.current_note_window == 0) return;
  const NoteMenuStates states = router_->PrepareNoteMenu();
  note_menu_.SetChecked(CommandId::kPin, states.pin_checked);
  for (int level = 1; level <= 10; ++level) {
    note_menu_.SetChecked(OpacityCommand(level), level == states.opacity_level);
  }
  note_menu_.SetEnabled(CommandId::kCut, states.cut_enabled);
  note_menu_.SetEnabled(CommandId::kCopy, states.copy_enabled);
  const CommandId chosen = note_menu_.Track(hwnd(), screen_x, screen_y);
  if (chosen != CommandId::kNone) router_->Run(chosen);
}

void FrmPopup::OpenTrayMenu() {
  int visible = 0;
  for (int position = 1; position <= notes_->Count(); ++position) {
    if (notes_->At(position).Visible()) ++visible;
  }
  const TrayMenuStates states = TrayMenuState(visible, notes_->Count() - visible);
  tray_menu_.SetEnabled(CommandId::kShowAll, states.show_all);
  tray_menu_.SetEnabled(CommandId::kHideAll, states.hide_all);
  tray_menu_.SetEnabled(CommandId::kShowSelected,
                        states.show_selected && CommandAvailable(CommandId::kShowSelected));
  tray_menu_.SetEnabled(CommandId::kDeleteNotes,
                        states.delete_notes && CommandAvailable(CommandId::kDeleteNotes));
  POINT cursor{};
  GetCursorPos(&cursor);
  const CommandId chosen = tray_menu_.Track(hwnd(), cursor.x, cursor.y);
  if (chosen != CommandId::kNone) router_->Run(chosen);
}

void FrmPopup::OnTrayNotification(UINT mouse_message) {
  switch (DecodeTrayNotification(mouse_message, state_.app_ready)) {
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
  if (!state_.app_ready) {
    key_combination_.Reset(held);
    return;
  }
  if (key_combination_.Update(held)) router_->NewNote();
}

template <typename Body>
void FrmPopup::WithDialogOpen(Body body) {
  const bool was_ready = state_.app_ready;
  state_.app_ready = false;
  body();
  state_.app_ready = was_ready;
}

bool FrmPopup::ConfirmDeleteNote() {
  int answer = IDNO;
  WithDialogOpen([&] {
    answer = MessageBoxW(hwnd(), L"Deseja Excluir o Lembrete Atual?", kMessageTitle,
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST);
  });
  return answer == IDYES;
}

void FrmPopup::PlaySoundFile(const std::string& path) {
  // No SND_NODEFAULT: a missing file plays the system's default sound.
  PlaySoundW(Widen(path).c_str(), nullptr, SND_ASYNC | SND_FILENAME);
}

void FrmPopup::ShowHelpTopic(const char* topic) {
  velumbrino::ShowHelpTopic(hwnd(), Widen(app_folder_), Widen(topic).c_str());
}

void FrmPopup::ShowAbout() {
  ShowAboutBox(hwnd(), [this](bool ready) { state_.app_ready = ready; });
}

void FrmPopup::CloseProgram() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void FrmPopup::PinClicked(NoteWindow& note) {
  const int position = notes_->FindNoteWindow(static_cast<int>(LeadingNumber(note.Tag())));
  if (position > 0) notes_->TogglePin(position);
}

void FrmPopup::NoteNeedsSave(NoteWindow& note) {
  if (shutting_down_) return;
  const int position = notes_->FindNoteWindow(static_cast<int>(LeadingNumber(note.Tag())));
  if (position > 0 && !notes_->SaveNote(position)) ReportSaveFailure();
}

void FrmPopup::ReportSaveFailure() {
  if (save_failure_reported_) return;
  save_failure_reported_ = true;
  const std::wstring text =
      L"Não foi possível gravar as notas na pasta\n\n" + Widen(notes_->DataFolderPath()) +
      L"\n\nVerifique se a pasta existe, se não está protegida contra gravação e se há espaço "
      L"no disco. O Velumbrino continua aberto e tentará gravar de novo.";
  WithDialogOpen([&] {
    MessageBoxW(nullptr, text.c_str(), kMessageTitle,
                MB_OK | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
  });
}

void FrmPopup::Shutdown() {
  if (shutting_down_) return;
  shutting_down_ = true;
  KillTimer(hwnd(), kKeyCombinationTimer);
  if (notes_ && restoring_) {
    // Closed before every note was restored (a log-off, an uninstall request): the index and
    // the count still name the notes not yet open, so only the open ones are saved.
    for (int position = 1; position <= notes_->Count(); ++position) notes_->SaveNote(position);
  } else if (notes_) {
    notes_->SaveAllNotes();
  }
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
    case WM_TIMER:
      if (wparam == kKeyCombinationTimer) OnKeyCombinationTick();
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
