#include "shell/help_win.h"

namespace velumbrino {

namespace {

constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

const wchar_t kMissingText[] =
    L"Aquivo de ajuda Ajuda.chm n\u00e3o encontrado.Verifique se o arquivo est\u00e1 mesmo no "
    L"disco.\r\nSe ele n\u00e3o existir, voc\u00ea precisara reinstal\u00e1-lo.";
const wchar_t kMissingTitle[] = L"Ajuda do Windows";

using HtmlHelpWFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// hhctrl.ocx is loaded on first use and kept for the rest of the run: the help window lives in
// it, so unloading it would take an open help window down with it.
HtmlHelpWFn HtmlHelpEntry() {
  static const HtmlHelpWFn entry = [] {
    HMODULE module = LoadLibraryW(L"hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpWFn>(
                        reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                  : nullptr;
  }();
  return entry;
}

void OpenTopicInViewer(const std::wstring& file_and_topic) {
  // No owner: the help window must outlive a dialog that asked for it.
  if (HtmlHelpWFn html_help = HtmlHelpEntry()) {
    html_help(nullptr, file_and_topic.c_str(), kDisplayTopic, 0);
  }
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring HelpFilePath(const std::wstring& app_folder) {
  std::wstring path = app_folder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + L"Ajuda.chm";
}

HelpResult ShowHelpTopic(HWND owner, const std::wstring& app_folder, const wchar_t* topic,
                         const HelpHooks& hooks) {
  const std::wstring path = HelpFilePath(app_folder);
  if (!FileExists(path)) {
    if (hooks.message_box) hooks.message_box(owner, kMissingText, kMissingTitle, MB_ICONINFORMATION);
    return HelpResult::kFileMissing;
  }
  if (hooks.open_topic) hooks.open_topic(path + L"::/" + (topic ? topic : L""));
  return HelpResult::kShown;
}

HelpResult ShowHelpTopic(HWND owner, const std::wstring& app_folder, const wchar_t* topic) {
  HelpHooks hooks;
  hooks.message_box = [](HWND box_owner, const wchar_t* text, const wchar_t* title, UINT style) {
    return MessageBoxW(box_owner, text, title, style);
  };
  hooks.open_topic = OpenTopicInViewer;
  return ShowHelpTopic(owner, app_folder, topic, hooks);
}

}  // namespace velumbrino
