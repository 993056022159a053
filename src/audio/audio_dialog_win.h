// The audio settings screen: Music and Sound bars on a 0..50 scale, DONE and DEFAULT.
#pragma once

#include <windows.h>

namespace zorv {

// Runs the screen modally over `owner`: it reads ".\info\Audio.cfg" as it opens, sets the
// music volume as the bars move, and is left only with DONE, which saves the file. True when
// it was shown and left that way.
bool ShowAudioDialog(HWND owner, HINSTANCE instance);

}  // namespace zorv
