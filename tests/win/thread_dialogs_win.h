// Finding the dialog a thread shows, for tests that drive a modal dialog from inside its loop.
#pragma once

#include <windows.h>

namespace zorv_test {

// The first visible dialog (class "#32770") of `thread`; null when it shows none.
inline HWND VisibleDialogOfThread(DWORD thread) {
    struct Search {
        static BOOL CALLBACK Take(HWND window, LPARAM out) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        }
    };
    HWND found = nullptr;
    EnumThreadWindows(thread, Search::Take, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace zorv_test
