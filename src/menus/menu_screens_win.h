// The main menu and the options menu of the menu window: their pictures, buttons, repaint,
// pointer routing and command dispatch.
#pragma once

#include <windows.h>

namespace zorv {

enum MenuScreenId {
    kMainMenuScreen = 500,
    kOptionsMenuScreen = 501,
};

// Reads the eight screen pictures into slots 1 to 8 and sets up the main menu's buttons. A
// screen's bitmap is made from its picture when the screen is first shown.
void SetUpMenus(HINSTANCE instance);

void RepaintMenu(HWND window);
void RouteMenuMouseMove(HWND window);
void RouteMenuLeftButton(HWND window, HINSTANCE instance, int x, int y);

// Frees both menus' buttons, then deletes the screen bitmaps made so far.
void FreeMenus();

int CurrentMenuScreen();

}  // namespace zorv
