// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// Process-wide handles set by start-up as each becomes known. The menu window's handlers read
// the menu handle here, not their window argument: it stays empty while the window is being
// made, so that an error dialog raised then has no owner.
#pragma once

#include <windows.h>

namespace zorv {

struct AppHandles {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;  // set when the frame's creation call has returned
    HWND menu = nullptr;   // set when the menu window's creation call has returned
};

inline AppHandles& App() {
    static AppHandles handles;
    return handles;
}

}  // namespace zorv
