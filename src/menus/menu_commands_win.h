// Command codes of the two menus and where the codes that leave the menus go.
#pragma once

#include <windows.h>

namespace zorv {

enum MenuCommand {
    kCommandStartGame = 511,
    kCommandNetworkGame = 512,
    kCommandOptions = 513,
    kCommandQuit = 514,
    kCommandKeys = 515,
    kCommandAudio = 516,
    kCommandVideo = 517,
    kCommandHowToPlay = 518,
    kCommandClose = 519,
};

// Starts the game for 511 or 512.
void RunMenuLaunch(HWND menu, HINSTANCE instance, int command);

// Opens the settings screen of 515 to 518 modally; false when that screen does not exist
// in this build, so that the dispatcher ignores the code.
bool RunOptionsDialog(HWND menu, HINSTANCE instance, int command);

}  // namespace zorv
