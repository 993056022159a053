// What the menu window does with its messages; each handler hands on to the owning screen.
#pragma once

#include <windows.h>

namespace zorv {

void OnMenuCreate(HWND menu);
void OnMenuDestroy(HWND menu);
void OnMenuEndSession(bool ending);
void OnMenuPaint(HWND menu);
void OnMenuMouseMove(HWND menu);
void OnMenuLeftButtonDown(HWND menu, unsigned x, unsigned y);

}  // namespace zorv
