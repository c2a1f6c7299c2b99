#include "shell/frm_popup_win.h"

#include <shlobj.h>

#include "note/note_window_win.h"
#include "platform/file_system_win.h"
#include "platform/single_instance_win.h"
#include "platform/system_paths_win.h"
#include "platform/wide_string_win.h"
#include "shell/restore.h"
#include "store/data_folder.h"

namespace velumbrino {

namespace {

constexpr const wchar_t* kControllerClass = L"VelumbrinoFrmPopup";
constexpr const wchar_t* kMessageTitle = L"Velumbrino";

}  // namespace

FrmPopup::FrmPopup(DefaultFont default_font) : default_font_(std::move(default_font)) {}

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

  factory_ = std::make_unique<NoteWindowFactoryWin>(*this, clock_);
  notes_ = std::make_unique<NoteCollection>(WinFileSystem(), *factory_, folder);

  RestorePacing pacing;
  pacing.before_note = [this] {
    Sleep(50);
    ProcessPendingMessages();
  };
  pacing.after_note = [this] { ProcessPendingMessages(); };
  RestoreNotes(*notes_, default_font_, pacing);
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

void FrmPopup::BodyPressed(NoteWindow& note, bool right_button, int, int) {
  state_.current_note_number = static_cast<int>(LeadingNumber(note.Tag()));
  if (!right_button) return;
  state_.current_note_window = notes_->FindNoteWindow(state_.current_note_number);
}

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
  const bool was_ready = state_.app_ready;
  state_.app_ready = false;
  MessageBoxW(nullptr, text.c_str(), kMessageTitle,
              MB_OK | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
  state_.app_ready = was_ready;
}

void FrmPopup::Shutdown() {
  if (shutting_down_) return;
  shutting_down_ = true;
  if (notes_) notes_->SaveAllNotes();
  // Every other window of the program: the notes (destroyed with the collection) and any
  // dialog still open.
  notes_.reset();
  ExitProcess(1);
}

bool FrmPopup::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
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
