// What the full-screen frame does with its messages.
#pragma once

#include <windows.h>

namespace zorv {

// Reads the frame's background picture into slot 0 and draws it into the hidden frame.
void OnFrameCreate(HWND frame);
// Releases the picture slots and ends the message loop with code 0.
void OnFrameDestroy();
// F5 writes the available physical memory to standard output (a diagnostic without console).
void OnFrameKeyDown(WPARAM key);

}  // namespace zorv
