// Placing a dialog and its controls in pixels (see dialog_layout.h).
#pragma once

#include <windows.h>

#include "graphics/dialog_layout.h"

namespace zorv {

// Gives `dialog` a client area of exactly `client`, which is in the client coordinates of
// `owner` (of the screen when there is no owner).
void PlaceDialogInPixels(HWND dialog, HWND owner, const ButtonRect& client);

// Moves each listed control of `dialog` to its place in pixels; controls missing from the
// dialog are passed over.
void PlaceControlsInPixels(HWND dialog, const ControlSpec* controls, int count);

}  // namespace zorv
