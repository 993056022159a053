// The key configuration screen: two players' six keys each and the joystick pair, read from
// ".\info\keyvalue.cfg" when it opens and written back by DONE.
#pragma once

#include <windows.h>

#include "keys/key_bindings.h"

namespace zorv {

// Runs dialog 179 modally over `owner`, the menu window, reading the file into `keys` as it
// opens; true when it ended through DONE or CANCEL (which both end it with 1). `keys` keeps what
// DONE saved, or after CANCEL what the file held at the opening.
bool ShowKeyDialog(HWND owner, HINSTANCE instance, KeyBindings& keys);

}  // namespace zorv
