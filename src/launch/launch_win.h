// Starting the game from the main menu: the game-mode file, the driver question on the
// first start, then the front-end steps aside while .\proc.exe runs.
#pragma once

#include <windows.h>

namespace zorv {

// Runs a whole launch in game mode 0 (START GAME) or 1 (NETWORK GAME). Returns when the
// game has ended and the front-end is back, or earlier when the launch stops.
void LaunchGame(HWND menu, HINSTANCE instance, int gameMode);

// Waits for the game in rounds of 1000 ms until it ends, answering messages sent to this thread
// but taking no posted ones; returns its exit code.
DWORD WaitForGameEnd(HANDLE process);

// Starts .\proc.exe, waits for it to end and judges its log. False when it could not be started.
bool RunGame();

}  // namespace zorv
