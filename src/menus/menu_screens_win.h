// The main menu and the options menu of the menu window: their pictures, buttons, repaint,
// pointer routing and command dispatch.
#pragma once

#include <windows.h>

#include "audio/audio_settings.h"
#include "common/gdi_guards_win.h"
#include "graphics/image_button_win.h"
#include "graphics/picture_slot.h"
#include "keys/key_bindings.h"
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
    // not be read) and its buttons.
    void Draw(HWND window, HDC dc, ScreenPart part = ScreenPart());
    // The pointer as the cursor now stands.
    void MouseMove(HWND window);
    // A left-button press at `at` on the screen shown: the command of the button pressed, for
    // Dispatch; 0 when none was hit.
    int Press(HWND window, POINT at);
    // Runs a command of the screen shown: a launch, a switch of screens, a settings screen, or
    // the end of the program. 0 and unknown codes do nothing. A close from outside during a
    // screen or the game destroys `window` and this record with it: once `window` is gone on
    // return, the record must not be touched.
    void Dispatch(HWND window, HINSTANCE instance, int command);

    // Frees both menus' buttons, then deletes the screen bitmaps made so far.
    void Free();

    MenuScreenId current() const { return current_; }
    // Read as the menu window is made and written back when it goes (common/first_run_flag.h).
    int& firstRunFlag() { return firstRunFlag_; }

private:
    ButtonScreen& Shown() { return current_ == kMainMenuScreen ? main_ : options_; }

    MenuScreenId current_ = kMainMenuScreen;
    ButtonScreen main_, options_;
    GdiObject<HBITMAP> screenBitmaps_[kLastScreenSlot + 1];
    int howToPlayPage_ = 0;  // the how-to-play screen reopens at the page last shown
    AudioSettings audio_;
    KeyBindings keys_;
    VideoSettings video_;
    DriverList drivers_;
    int firstRunFlag_ = 0;
};

}  // namespace zorv
