// Input as the player gives it: the real cursor, mouse messages and keys with their real scan
// codes.
//
// Mouse messages go to the window as sent messages, in order: a move is handled (with the real
// cursor where it was put, since the menus read the cursor, not the message) before MoveMouse
// returns, and a press goes in line behind it without waiting, since it may open a modal window.
// So once MoveMouse returns, every press given before it has been taken too. Keys are posted.
#ifndef ZORV_E2E_INPUT_H
#define ZORV_E2E_INPUT_H

#include <windows.h>

#include <vector>

namespace zorv_e2e {

// Puts the real cursor on the window's client point and has the window handle WM_MOUSEMOVE
// with that client position; false when the window did not answer within kSendTimeoutMs.
bool MoveMouse(HWND window, int x, int y);
// WM_LBUTTONDOWN and WM_LBUTTONUP at a client point, with the cursor left where it is.
void Press(HWND window, int x, int y);
// MoveMouse, then Press.
void Click(HWND window, int x, int y);
// Puts the real cursor on the window's client point, then posts a mouse message for that point.
// For a drag in a control that follows the button in a loop of its own (a scroll bar) right
// after a click moved the real pointer elsewhere: a late move from that click would put the
// thumb where the click was. Every move of the real pointer reaches the program as a late move
// too, so a drag that needs no such catch-up posts its messages alone.
void PostPointer(HWND window, UINT message, WPARAM keys, int x, int y);
// Puts the real pointer at the screen's top-left corner, away from the menu window, so that a
// program started next does not find it where the last test left it.
void ParkCursor();
// Posts WM_KEYDOWN and WM_KEYUP (WM_SYSKEYDOWN/UP with the context bit when alt is set) with
// the key's real scan code in lParam.
void PostKey(HWND window, UINT vk, bool alt = false);
// Alt+F4 as the window would get it from the keyboard: WM_SYSKEYDOWN VK_F4 with the Alt context
// bit, which the default window procedure turns into SC_CLOSE.
void PostAltF4(HWND window);
// Makes the window the foreground window; true when it became so.
bool Activate(HWND window, DWORD timeout_ms = 2000);
// Real keyboard input through SendInput: the keys go down in order and come up in reverse.
// Goes to whichever window has the focus.
bool SendKeys(const std::vector<WORD>& vks);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_INPUT_H
