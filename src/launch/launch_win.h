// Starting the game from the main menu: the game-mode file, the driver question on the
// first start, then the front-end steps aside while .\proc.exe runs.
#pragma once

#include <windows.h>

namespace zorv {

// Runs a whole launch in game mode 0 (START GAME) or 1 (NETWORK GAME), asking the driver
// question first while the first-run flag is 0 and setting it to 1 once past it. Returns when the
// game has ended and the front-end is back, or earlier when the launch stops.
void LaunchGame(HWND menu, HINSTANCE instance, int gameMode, int& firstRunFlag);

// The process id of the game while a launch waits for it, else 0.
DWORD RunningGame();

// Waits for the game in rounds of 1000 ms until it ends, answering messages sent to this thread
// but taking no posted ones; returns its exit code. Returns at once, with STILL_ACTIVE, when one
// of those messages (a close from outside) has destroyed `menu`, if one is given.
DWORD WaitForGameEnd(HANDLE process, HWND menu = nullptr);

// Starts .\proc.exe, waits for it to end and judges its log. False when it could not be started.
// The wait ends early, and nothing is judged, once `menu` has been destroyed.
bool RunGame(HWND menu);

}  // namespace zorv
