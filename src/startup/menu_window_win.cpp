#include "startup/menu_window_win.h"

#include "captions/captions_win.h"
#include "common/gdi_guards_win.h"
#include "graphics/picture_slots_win.h"
#include "common/first_run_flag_win.h"
#include "menus/menu_screens_win.h"
#include "startup/app_win.h"

namespace zorv {

// During creation the program-wide menu handle is still empty: the set-up steps need only
// the instance handle, and an error dialog raised here has no owner.
void OnMenuCreate() {
    SetUpMenus(App().instance);
    ReadCaptionFile(".\\info\\String.dat");
    ReadFirstRunFlagFile(App().menu, App().instance, ".\\info\\InitFlag.flg");
}

void OnMenuDestroy(HWND menu) {
    WriteFirstRunFlagFile(App().menu, App().instance, ".\\Info\\InitFlag.flg");
    ReleasePictures();
    FreeMenus();
    // The frame releases the (already empty) slots and ends the message loop.
    SendMessageA(GetParent(menu), WM_DESTROY, 0, 0);
}

// At logoff Windows ends the program after this message without destroying its windows, so
// the flag that OnMenuDestroy would write is written here too.
void OnMenuEndSession(bool ending) {
    if (ending) WriteFirstRunFlagFile(App().menu, App().instance, ".\\Info\\InitFlag.flg");
}

// Painted between BeginPaint and EndPaint, so that the background erase (the class's black
// brush) comes before the screen is drawn and never wipes it afterwards.
void OnMenuPaint(HWND menu) {
    PaintDC paint(menu);
    RepaintMenu(menu);
}

void OnMenuMouseMove() { RouteMenuMouseMove(App().menu); }

void OnMenuLeftButtonDown(unsigned x, unsigned y) {
    RouteMenuLeftButton(App().menu, App().instance, static_cast<int>(x), static_cast<int>(y));
}

}  // namespace zorv
