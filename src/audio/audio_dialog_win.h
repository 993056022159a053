// The audio settings screen: Music and Sound bars on a 0..50 scale, DONE and DEFAULT.
#pragma once

#include <windows.h>

#include "audio/audio_settings.h"

namespace zorv {

// Runs the screen modally over `owner`: it reads ".\info\Audio.cfg" into `audio` as it opens,
// sets the music volume as the bars move them, and is left only with DONE, which saves them.
// `audio` keeps what the screen left in it. True when it was shown and left that way.
bool ShowAudioDialog(HWND owner, HINSTANCE instance, AudioSettings& audio);

}  // namespace zorv
