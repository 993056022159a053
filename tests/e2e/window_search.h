// Windows of another process: finding them by process id, class and title, reading their text,
// place and state, and waiting for dialogs to come and go. Everything here works across
// processes and never blocks on the program for longer than kSendTimeoutMs.
#ifndef ZORV_E2E_WINDOW_SEARCH_H
#define ZORV_E2E_WINDOW_SEARCH_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wait.h"

namespace zorv_e2e {

// The class of every dialog, message boxes included.
constexpr char kDialogClass[] = "#32770";

std::string ClassOf(HWND window);
// The window's text through WM_GETTEXT (with a timeout), so that it works for controls too.
std::string TextOf(HWND window);
// Screen coordinates in the display's pixels, for windows that are aware of its resolution and
// windows that are not alike (a settings screen is not: platform/thread_dpi_win.h).
RECT WindowRectOf(HWND window);
POINT ClientToScreenOf(HWND window, POINT at);
RECT ClientRectOf(HWND window);        // client coordinates (left and top 0)
RECT ClientRectOnScreen(HWND window);  // the client area in screen coordinates
bool IsShown(HWND window);             // exists and is visible
DWORD ProcessOf(HWND window);
HWND FocusOf(HWND window);  // the window with the keyboard focus on window's thread
// The window's thread handles a message sent to it within timeout_ms.
bool Answers(HWND window, UINT timeout_ms = kSendTimeoutMs);

// "(left, top)-(right, bottom)".
std::string RectText(const RECT& r);
::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected);

// Top-level windows of a process, in z-order. class_name and title filter when not null.
std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name = nullptr, const char* title = nullptr);
// A window of the process with this class, searched among top-level windows and then among the
// children of every top-level window. Null when there is none.
HWND FindWindowOfProcess(DWORD pid, const char* class_name, const char* title = nullptr);

// A visible dialog of the process, optionally with this exact title.
HWND FindDialog(DWORD pid, const char* title = nullptr);
HWND WaitForDialog(DWORD pid, const char* title = nullptr, DWORD timeout_ms = kWindowTimeout);
// A visible dialog of the process that has a control with this id: the way to tell the
// program's dialogs apart, since most have no title.
HWND FindDialogWith(DWORD pid, int control);
HWND WaitForDialogWith(DWORD pid, int control, DWORD timeout_ms = kWindowTimeout);
// Waits until the window no longer exists or is hidden.
bool WaitUntilGone(HWND window, DWORD timeout_ms = kWindowTimeout);
std::string DialogItemText(HWND dialog, int id);
// The player sees the dialog: the screen shows its face colour at the four inner corners of its
// client area, where a window over it would show its own picture. Waits for a moment, since a
// new window may be drawn a little after it shows. A window that Wine has only just mapped must
// not be acted on at once (its X11 driver can fail with BadWindow): a dialog is acted on only
// once this holds.
::testing::AssertionResult ShowsOnScreen(HWND dialog, DWORD timeout_ms = 2000);
// Posts BM_CLICK to the dialog's button with this id; false when there is no such button.
bool ClickDialogButton(HWND dialog, int id);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_WINDOW_SEARCH_H
