#pragma once
// Opens a topic of the help file Ajuda.chm that lies in the program's folder.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/modal_guard.h"

namespace velumbrino {

enum class HelpResult { kShown, kFileMissing };

// What reaches the user (message box, viewer), replaceable in tests.
struct HelpHooks {
  // MessageBoxW-like.
  std::function<int(HWND owner, const wchar_t* text, const wchar_t* title, UINT style)> message_box;
  // Opens `file_and_topic` ("C:\...\Ajuda.chm::/topic.htm") in the help viewer.
  std::function<void(const std::wstring& file_and_topic)> open_topic;
};

// app_folder + "Ajuda.chm"; a missing trailing backslash is supplied.
std::wstring HelpFilePath(const std::wstring& app_folder);

// Shows `topic` (e.g. L"velumbrino.htm"); when the help file is missing, tells the user so in a
// message box owned by `owner` instead.
HelpResult ShowHelpTopic(HWND owner, AppReadyFlag& app_ready, const std::wstring& app_folder,
                         const wchar_t* topic);
HelpResult ShowHelpTopic(HWND owner, const std::wstring& app_folder, const wchar_t* topic,
                         const HelpHooks& hooks);

}  // namespace velumbrino
