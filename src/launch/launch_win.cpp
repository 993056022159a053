#include "launch/launch_win.h"

#include <string>

#include "graphics/geometry.h"
#include "launch/driver_dialogs_win.h"
#include "launch/game_log.h"
#include "launch/game_log_win.h"
#include "platform/handle_guards_win.h"
#include "platform/message_box_win.h"
#include "resources/resource_ids.h"
#include "settings/config_file_win.h"
#include "settings/game_files.h"

namespace zorv {
namespace {

// The process id of the game while a launch waits for it, else 0: a later start of the
// front-end then puts the game's window in front, not the minimised frame.
DWORD g_runningGame = 0;

// Writes the game-mode file: the game mode and the UTC time of the start, one per line.
bool WriteGameModeFile(HWND owner, HINSTANCE instance, int gameMode) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    const std::string stamp = LaunchTimeStamp(now.wMonth, now.wDay, now.wHour, now.wMinute);
    return SaveConfigText(owner, instance, kGameModeFile, std::to_string(gameMode) + "\n" + stamp + "\n");
}

// Minimises or restores the frame together with the menu window it owns: the menu window must
// not stay on screen over the game, nor over the game's error report.
bool SetFrameShowState(HWND frame, UINT showState) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(frame, &placement)) return false;
    placement.showCmd = showState;
    if (!SetWindowPlacement(frame, &placement)) return false;
    ShowOwnedPopups(frame, showState == SW_MINIMIZE ? FALSE : TRUE);
    return true;
}

// Flashes for at most a moment: it ends itself as soon as it is first erased.
INT_PTR CALLBACK MomentaryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_ERASEBKGND || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) EndDialog(dialog, 0);
    return 0;
}

// Waits at most `ms` for the process, answering the messages other threads and programs send
// meanwhile. Peeking with PM_QS_SENDMESSAGE delivers sent messages only: posted input stays
// queued, so nothing clicked during the run reaches the menu. True when the wait is over: the
// process ended, or one of those messages (a close from outside) destroyed `menu`, here or
// while the system waited for the game to get ready for input.
bool WaitRound(HANDLE process, DWORD ms, HWND menu) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (menu && !IsWindow(menu)) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return false;
        DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, ms - elapsed, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1) return woke != WAIT_TIMEOUT;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

DWORD RunningGame() { return g_runningGame; }

DWORD WaitForGameEnd(HANDLE process, HWND menu) {
    // The signalled handle ends the wait too, so a game whose exit code happens to be 259
    // (STILL_ACTIVE) is not waited for forever.
    DWORD exitCode = STILL_ACTIVE;
    do {
        bool over = WaitRound(process, 1000, menu);
        if (!GetExitCodeProcess(process, &exitCode) || over) break;
    } while (exitCode == STILL_ACTIVE);
    return exitCode;
}

bool RunGame(HWND menu) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    char commandLine[1] = "";
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(kGameProgram, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    if (!process) return false;
    g_runningGame = started.dwProcessId;
    WaitForInputIdle(process.get(), INFINITE);
    thread.reset();

    DWORD exitCode = WaitForGameEnd(process.get(), menu);
    process.reset();
    g_runningGame = 0;

    // After a close from outside the program ends without a word: the game runs on by itself.
    if (!menu || IsWindow(menu)) RunErrorLogStep(exitCode);
    return true;
}

void LaunchGame(HWND menu, HINSTANCE instance, int gameMode, int& firstRunFlag) {
    if (!WriteGameModeFile(menu, instance, gameMode)) return;
    // The driver question comes only before the very first start. A close from outside (End
    // task, logoff) while it or the game is waited for has destroyed the windows: the launch
    // goes no further.
    if (firstRunFlag == 0 && (!ShowDriverCheckDialog(menu, instance) || !IsWindow(menu))) return;
    firstRunFlag = 1;

    HWND frame = GetParent(menu);
    SetFrameShowState(frame, SW_MINIMIZE);
    const bool ran = RunGame(menu);
    if (!IsWindow(menu)) return;
    if (!ran) {
        // The player must not be left before a minimised front-end with no word.
        SetFrameShowState(frame, SW_SHOWNORMAL);
        ShowMessage("Game Program Start Error");
        return;
    }
    if (!SetFrameShowState(frame, SW_SHOWNORMAL)) return;

    MenuPlacement placement = CentreMenu(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MOMENTARY), menu, MomentaryProc, 0);
    SetWindowPos(menu, HWND_TOP, placement.x, placement.y, placement.width, placement.height,
                 SWP_NOSIZE | SWP_FRAMECHANGED);
}

}  // namespace zorv
