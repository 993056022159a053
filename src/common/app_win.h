// Process-wide handles set by start-up and read by every screen.
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
