#pragma once
// Plays a sound file, asynchronously.

#include <string>

namespace velumbrino {

// No SND_NODEFAULT: a file that is missing or cannot be played gives the default alert.
void PlaySoundFile(const std::wstring& path);

}  // namespace velumbrino
