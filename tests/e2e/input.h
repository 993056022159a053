// Input as the player gives it: the real cursor, mouse messages and keys with their real scan
// codes.
//
// Mouse messages go to the window as sent messages, in order: a move is handled (with the real
// cursor where it was put and settled there, since the menus read the cursor, not the message)
// before MoveMouse returns, and a press goes in line behind it without waiting, since it may
// open a modal window. So once MoveMouse returns, every press given before it has been taken
// too. Keys are posted.
#ifndef ZORV_E2E_INPUT_H
#define ZORV_E2E_INPUT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/handle_guards_win.h"
#include "standin_joystick.h"

namespace zorv_e2e {

// Puts the real pointer on a screen point and waits until the system has taken that move in as
// real input: under Wine it comes back from the X server, see input.cpp. False when it did not
// within kSendTimeoutMs.
bool PutPointer(POINT screen);
// Puts the real cursor on the window's client point, waits until the system has taken that
// move in as real input (under Wine it comes back from the X server, see input.cpp), and has
// the window handle WM_MOUSEMOVE with that client position; false when the move did not come
// back or the window did not answer, each within kSendTimeoutMs.
bool MoveMouse(HWND window, int x, int y);
// WM_LBUTTONDOWN and WM_LBUTTONUP at a client point, with the cursor left where it is.
void Press(HWND window, int x, int y);
// MoveMouse, then Press.
void Click(HWND window, int x, int y);
// Puts the real cursor on the window's client point as MoveMouse does, then posts a mouse
// message for that point. For a drag in a control that follows the button in a loop of its
// own (a scroll bar): a move the system makes up meanwhile reports where the real pointer is,
// so the pointer goes along with the drag.
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
// Whether the system shows the cursor of the thread in front.
bool CursorShowing();
// Makes the window the foreground window; true when it became so.
bool Activate(HWND window, DWORD timeout_ms = 2000);
// Real keyboard input through SendInput: the keys go down in order and come up in reverse.
// Goes to whichever window has the focus.
bool SendKeys(const std::vector<WORD>& vks);
// Makes the window the foreground window, sends the keys as SendKeys does, and waits up to
// timeout_ms until `taken` holds. Under Wine a focus event from the X server that comes in
// late can take the foreground from the window before the keys arrive; they then go elsewhere
// or nowhere. When the window is seen out of front before `taken` holds, the keys are given
// again, up to three times. An empty string when taken, else what was seen.
std::string SendKeysInFront(HWND window, const std::vector<WORD>& vks, const std::function<bool()>& taken,
                            DWORD timeout_ms);

// The stand-in game controller (tools/joystick-standin): its library put into a scratch folder
// for the program started there, and its state, which the library reads, written here.
//
// Wine takes a process's DLL load order from its Unix environment, which a program started with
// CreateProcess inherits from the driver whatever environment block it is given; so the library
// is chosen for zorv3d.exe in the prefix's registry (AppDefaults), for as long as this lives.
class StandInController {
public:
    // Without a hat (standin_joystick.h) Tap's directions go to the stick; unplugged, none is there.
    enum Kind { kWithHat, kWithoutHat, kUnplugged };
    explicit StandInController(Kind kind = kWithHat);
    ~StandInController();
    // Copies the library into `folder` and has zorv3d.exe take it from its own folder; plants it
    // there as winmm.dll and shell32.dll too, chosen the same way, as system libraries that the
    // program must not take from its folder (strays). False when any of it cannot be done.
    bool Install(const std::string& folder);
    // Holds these buttons (bit 0 is button 1) and the hat (hundredths of a degree, or centred)
    // until the program has read them, then releases everything until it has read that too.
    // False when the program did not read within kSendTimeoutMs.
    bool Tap(unsigned buttons, unsigned long hat = kHatCentred);
    // Waits until the thread of `window` reads the controller: the look has found it, it is polled.
    bool WaitForPolling(HWND window);
    // Waits until a look for a controller has asked the library for one, since this was made.
    bool WaitForLook();
    // How often the library was loaded as a planted system library.
    long strays() const { return state_ ? state_->strays : 0; }
    // Fails the program's next read, as a driver may now and then; false when none came.
    bool FailOneRead();
    // The shared state itself: the look's modes and what the looks left (standin_joystick.h).
    volatile zorv_standin::JoystickState& state() { return *state_; }
    static constexpr unsigned long kHatCentred = 0xFFFFFFFFul;

private:
    void Write(unsigned buttons, unsigned long hat);
    // Waits until the library has reported `count` more states than it had.
    bool WaitForReads(long count, DWORD timeout_ms, DWORD poll_ms);

    zorv::KernelHandle mapping_;
    zorv_standin::JoystickState* state_ = nullptr;
    Kind kind_;
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_INPUT_H
