// The main menu and the options menu of the menu window: their pictures, buttons, repaint,
// pointer routing and command dispatch.
#pragma once

#include <windows.h>

#include "audio/audio_settings.h"
#include "graphics/focus_rules.h"
#include "graphics/image_button_win.h"
#include "graphics/picture_slot.h"
#include "input/controller_input.h"
#include "keys/key_bindings.h"
#include "platform/gdi_guards_win.h"
#include "video/video_files.h"

namespace zorv {

enum MenuScreenId { kMainMenuScreen = 500, kOptionsMenuScreen = 501 };

// The menu window's two screens and the settings records, held by the menu window for its life:
// each settings screen is handed the records it shows, which keep their values between openings.
class MenuScreens {
public:
    MenuScreens() = default;
    ~MenuScreens() { Free(); }
    MenuScreens(const MenuScreens&) = delete;
    MenuScreens& operator=(const MenuScreens&) = delete;

    // Reads the eight screen pictures into slots 1 to 8 and sets up the main menu's buttons. A
    // screen's bitmap is made from its picture when the screen is first shown.
    void SetUp(HINSTANCE instance);

    // The menu window's one drawing routine: `part` of the shown screen's picture into `dc`. The
    // whole picture is the screen's picture copied 1:1 to the client origin (black where it could
    // not be read) and its buttons, the focused one highlighted.
    void Draw(HWND window, HDC dc, ScreenPart part = ScreenPart());
    // The pointer as the cursor now stands. A real move of it hides the keyboard focus.
    void MouseMove(HWND window);
    // A key going down (WM_KEYDOWN's wParam and lParam): Tab and Shift+Tab move the focus in the
    // table's order, the arrows to the nearest button that way, Enter and Space activate the
    // focused button (or show the focus while it is hidden), Escape on the options menu activates
    // CLOSE. An activation runs its command before this returns. A key already down when the
    // screen appeared counts once it has been let go (KeyUp).
    void Key(HWND window, HINSTANCE instance, WPARAM key, LPARAM flags);
    void KeyUp(WPARAM key) { pressed_.Up(static_cast<unsigned>(key)); }
    // A game controller's action: the directions move as the arrows, button 1 activates as Enter
    // does, button 2 goes back (CLOSE on the options menu).
    void Controller(HWND window, HINSTANCE instance, ControllerAction action);
    // A left-button press at `at` on the screen shown: the command of the button pressed, for
    // Dispatch; 0 when none was hit.
    int Press(HWND window, POINT at);
    // Runs a command of the screen shown: a launch, a switch of screens, a settings screen, or
    // the end of the program. 0 and unknown codes do nothing. A close from outside during a
    // screen or the game destroys `window` (Gone): the caller holds this record until it returns.
    void Dispatch(HWND window, HINSTANCE instance, int command);

    // Frees both menus' buttons, then deletes the screen bitmaps made so far.
    void Free();
    // The menu window is gone: everything freed, and a command still running (a settings screen,
    // the game) draws nothing when it returns.
    void Gone() {
        Free();
        gone_ = true;
    }

    MenuScreenId current() const { return current_; }
    // Read as the menu window is made and written back when it goes (settings/first_run_flag.h).
    int& firstRunFlag() { return firstRunFlag_; }

private:
    ButtonScreen& Shown() { return current_ == kMainMenuScreen ? main_ : options_; }
    Focus& ShownFocus() { return focus_[current_ == kMainMenuScreen ? 0 : 1]; }
    // Draws the screen now shown with its focus hidden until the first navigation on it.
    void Show(HWND window);
    void Navigate(HWND window, FocusStep step);
    void Move(HWND window, Direction direction);
    // Presses the focused button of the screen shown as a click would, and runs its command; a
    // hidden focus is only shown.
    void Activate(HWND window, HINSTANCE instance);
    void PressByIndex(HWND window, HINSTANCE instance, int index);

    MenuScreenId current_ = kMainMenuScreen;
    ButtonScreen main_, options_;
    GdiObject<HBITMAP> screenBitmaps_[kLastScreenSlot + 1];
    int howToPlayPage_ = 0;  // the how-to-play screen reopens at the page last shown
    AudioSettings audio_;
    KeyBindings keys_;
    VideoSettings video_;
    DriverList drivers_;
    int firstRunFlag_ = 0;
    // One focus per menu, on the button last used (none at first: the first navigation takes
    // START GAME or the first options button).
    Focus focus_[2];
    PointerMoves pointer_;
    KeyPresses pressed_;  // the keys pressed since the screen shown appeared
    bool gone_ = false;
};

}  // namespace zorv
