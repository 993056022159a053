// The how-to-play screen: a modal viewer of three instruction pages with arrow buttons and
// CLOSE.
#pragma once

#include <windows.h>

namespace zorv {

// Runs the screen modally over `owner` until CLOSE, opening at `page` and leaving there the page
// last shown, so that a caller keeping it reopens the screen where the player left it. True
// when the dialog ran and was closed.
bool ShowHowToPlay(HWND owner, HINSTANCE instance, int& page);

}  // namespace zorv
