// The key configuration screen: two players' six keys each and the joystick pair, read from
// ".\info\keyvalue.cfg" when it opens and written back by DONE.
#pragma once

#include <windows.h>

namespace zorv {

// Runs dialog 179 modally over `owner`, the menu window; true when it ended through DONE or
// CANCEL (which both end it with 1).
bool ShowKeyDialog(HWND owner, HINSTANCE instance);

}  // namespace zorv
