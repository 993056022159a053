#include "startup/menu_window_win.h"

#include "captions/captions_win.h"
#include "common/first_run_flag_win.h"
#include "common/game_files.h"
#include "common/gdi_guards_win.h"
#include "graphics/picture_slots_win.h"
#include "menus/menu_screens_win.h"
#include "startup/app_win.h"

namespace zorv {
namespace {

// The menu window's screens live in its user data from its creation to its destruction.
MenuScreens* ScreensOf(HWND menu) { return reinterpret_cast<MenuScreens*>(GetWindowLongPtrA(menu, GWLP_USERDATA)); }

}  // namespace

// During creation the program-wide menu handle is still empty: the set-up steps need only
// the instance handle, and an error dialog raised here has no owner.
void OnMenuCreate(HWND menu) {
    MenuScreens* screens = new MenuScreens;
    SetWindowLongPtrA(menu, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(screens));
    screens->SetUp(App().instance);
    ReadCaptionFile(kCaptionFile);
    ReadFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFile);
}

void OnMenuDestroy(HWND menu) {
    WriteFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFileAsWritten);
    ReleasePictures();
    MenuScreens* screens = ScreensOf(menu);
    SetWindowLongPtrA(menu, GWLP_USERDATA, 0);
    delete screens;  // both menus' buttons and the screen bitmaps
    // The frame releases the (already empty) slots and ends the message loop.
    SendMessageA(GetParent(menu), WM_DESTROY, 0, 0);
}

// At logoff Windows ends the program after this message without destroying its windows, so
// the flag that OnMenuDestroy would write is written here too.
void OnMenuEndSession(bool ending) {
    if (ending) WriteFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFileAsWritten);
}

// Painted between BeginPaint and EndPaint, so that the background erase (the class's black
// brush) comes before the screen is drawn and never wipes it afterwards.
void OnMenuPaint(HWND menu) {
    PaintDC paint(menu);
    if (MenuScreens* screens = ScreensOf(menu)) screens->Repaint(menu);
}

void OnMenuMouseMove(HWND menu) {
    if (MenuScreens* screens = ScreensOf(menu)) screens->MouseMove(menu);
}

// The press is drawn and sounded first; its command then runs, a whole game launch included,
// before the next message is taken.
void OnMenuLeftButtonDown(HWND menu, unsigned x, unsigned y) {
    MenuScreens* screens = ScreensOf(menu);
    if (!screens) return;
    const int command = screens->Press(menu, POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
    screens->Dispatch(menu, App().instance, command);
}

}  // namespace zorv
