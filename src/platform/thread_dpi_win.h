// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// Which display resolution the system's calls answer a thread in. Windows tells a program that
// declares no DPI awareness 96 dots per inch and scales its windows as a whole on a denser display.
// Wine treats every program as aware instead: it tells the resolution the user set and sizes the
// parts the system draws (scroll-bar arrows and thumbs, a drop-down list's button) to it. A window
// made while its thread is unaware keeps that for its life and answers in the display's pixels, and
// its procedures run unaware; coordinates of an aware window asked for meanwhile come scaled down,
// so they are asked for as that window has them. On systems without per-thread awareness (before
// Windows 10) nothing changes.
#pragma once

#include <windows.h>

namespace zorv {

// The thread's awareness while the guard lives; the one before comes back when it goes.
class ThreadDpiAwareness {
public:
    // Unaware, as Windows has a program that declares no awareness.
    ThreadDpiAwareness();
    // As `window` was made.
    explicit ThreadDpiAwareness(HWND window);
    ~ThreadDpiAwareness();
    ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
    ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

private:
    HANDLE before_;
};

// The window at the end of `window`'s chain of parents and owners, as GetAncestor's GA_ROOTOWNER
// gives it; GetAncestor is not on Windows 95 or NT 4.0 before its fourth service pack, where the
// chain is walked by hand.
HWND RootOwner(HWND window);
// The same, walked by hand.
HWND RootOwnerByChain(HWND window);

// `window`'s rectangle on the screen, in the display's pixels whatever the thread's awareness.
RECT WindowRectInPixels(HWND window);
// The point `at` of `window`'s client area on the screen, likewise.
POINT ClientToScreenInPixels(HWND window, POINT at);

}  // namespace zorv
