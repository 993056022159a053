// The how-to-play screen: a modal viewer of three instruction pages with arrow buttons and
// CLOSE. It reopens at the page last shown.
#pragma once

#include <windows.h>

namespace zorv {

// Runs the screen modally over `owner` until CLOSE; true when the dialog ran and was closed.
bool ShowHowToPlay(HWND owner, HINSTANCE instance);

}  // namespace zorv
