// The key fields: twelve read-only edit controls that show the bindings and take a key on its
// release.
#pragma once

#include <windows.h>

namespace zorv {

// Replaces the window procedure of each key field of `dialog` with the key capture procedure,
// keeping the edit control's own. A key released in a field binds it, when the key table knows
// it, and the focus moves to the next slot's field (none after Escape); a right click opens no
// menu.
void InstallKeyCapture(HWND dialog);

// Sets every key field's text to the name of what a save would write for its slot.
void ShowBindings(HWND dialog);

}  // namespace zorv
