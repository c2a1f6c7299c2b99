#include "platform/help_win.h"

#include "platform/file_system_win.h"
#include "platform/message_box_win.h"
#include "platform/system_library_win.h"
#include "platform/wide_string_win.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

using HtmlHelpWFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// hhctrl.ocx is loaded on first use and kept for the rest of the run: the help window lives in
// it, so unloading it would take an open help window down with it.
HtmlHelpWFn HtmlHelpEntry() {
  static const HtmlHelpWFn entry = SystemFunction<HtmlHelpWFn>(L"hhctrl.ocx", "HtmlHelpW");
  return entry;
}

void OpenTopicInViewer(const std::wstring& file_and_topic) {
  // No owner: the help window must outlive a dialog that asked for it.
  if (HtmlHelpWFn html_help = HtmlHelpEntry()) {
    html_help(nullptr, file_and_topic.c_str(), kDisplayTopic, 0);
  }
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
  if (!WinFileSystem().FileExists(Narrow(path))) {
    if (hooks.message_box) {
      hooks.message_box(owner, Widen(TXT_HELP_MISSING).c_str(),
                        Widen(TXT_HELP_MISSING_TITLE).c_str(), MB_ICONINFORMATION);
    }
    return HelpResult::kFileMissing;
  }
  if (hooks.open_topic) hooks.open_topic(path + L"::/" + (topic ? topic : L""));
  return HelpResult::kShown;
}

HelpResult ShowHelpTopic(HWND owner, AppReadyFlag& app_ready, const std::wstring& app_folder,
                         const wchar_t* topic) {
  HelpHooks hooks;
  hooks.message_box = [&app_ready](HWND box_owner, const wchar_t* text, const wchar_t* title,
                                   UINT style) {
    return ShowMessageBox(app_ready, box_owner, Narrow(text), Narrow(title), style);
  };
  hooks.open_topic = OpenTopicInViewer;
  return ShowHelpTopic(owner, app_folder, topic, hooks);
}

}  // namespace velumbrino
