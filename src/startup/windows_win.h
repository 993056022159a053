// The two window classes, the full-screen frame and the menu window, and their procedures.
#pragma once

#include <windows.h>

namespace zorv {

extern const char kFrameClass[];  // "Zorv3D"
extern const char kMenuClass[];   // "Zorv3D Child"

// Registers "Zorv3D" and creates the hidden full-screen frame; null when either fails.
HWND CreateFrameWindow(HINSTANCE instance);

// Registers "Zorv3D Child" and creates the hidden 640x480 menu window centred on the frame.
// Null when the class cannot be registered (*classFailed is then set) or the window not made.
HWND CreateMenuWindow(HWND frame, HINSTANCE instance, bool* classFailed);

}  // namespace zorv
