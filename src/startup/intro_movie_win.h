// The intro movie at start-up, played by the media control interface's "AVIVideo" device.
#pragma once

#include <windows.h>

namespace zorv {

// Plays `file` scaled over the whole `frame` (width × height) and returns when it has ended,
// the device has stopped, or the player pressed Escape. On the Windows NT family the notice
// "Starting AVI" comes first. A movie that cannot be opened is passed over without a word. The
// device is always closed on return.
void PlayIntroMovie(HWND frame, const char* file, int width, int height);

}  // namespace zorv
