// Placing a dialog and its controls in pixels (see dialog_layout.h).
#pragma once

#include <windows.h>

#include <cstddef>

#include "graphics/dialog_layout.h"

namespace zorv {

// Gives `dialog` a client area of exactly `client`, which is in the client coordinates of
// `owner` (of the screen when there is no owner), and moves each listed control to its place.
// Controls missing from the dialog are passed over.
void PlaceDialogInPixels(HWND dialog, HWND owner, const ButtonRect& client, const ControlPlace* controls,
                         std::size_t count);

// Moves each listed control of `dialog` to its place; controls missing from the dialog are
// passed over.
void PlaceControlsInPixels(HWND dialog, const ControlPlace* controls, std::size_t count);

}  // namespace zorv
