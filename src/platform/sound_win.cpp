#include "platform/sound_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/system_library_win.h"

namespace velumbrino {

void PlaySoundFile(const std::wstring& path) {
  // winmm is not among the libraries Windows always takes from the system folder, so it is
  // loaded from there on first use instead of being imported.
  static const auto play = SystemFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  if (play) play(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME);
}

}  // namespace velumbrino
