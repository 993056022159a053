// Where the options menu's settings screens are opened.
#pragma once

#include <windows.h>

namespace zorv {

// Opens the settings screen of command 515 to 518 modally; false when that screen does not
// exist in this build, so that the dispatcher ignores the code.
bool RunOptionsDialog(HWND menu, HINSTANCE instance, int command);

}  // namespace zorv
