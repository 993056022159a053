// The entry: the black full-screen frame with the intro movie in it, then the menu window
// centred on it, then the message loop until the menu window is closed.
#include <windows.h>

#include "captions/caption_file.h"
#include "input/controller_win.h"
#include "platform/app_win.h"
#include "settings/config_error_win.h"
#include "settings/game_files.h"
#include "startup/intro_movie_win.h"
#include "startup/single_instance_win.h"
#include "startup/windows_win.h"

using namespace zorv;

namespace {

// Handles messages in arrival order until the quit message; returns its value. An empty queue is
// waited on, so an idle menu costs no processor time.
int RunMessageLoop() {
    MSG msg;
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 0;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    // The front-end's look for a game controller, run as a process of its own.
    int lookAnswer = 0;
    if (RunAsControllerLook(commandLine, &lookAnswer)) return lookAnswer;
    // A second start from this folder brings the running front-end forward and ends here.
    FolderClaim claim;
    if (!claim.Claim()) return 0;
    SetConfigErrorExplanation(Captions().explanation);
    HWND frame = CreateFrameWindow(instance);
    if (!frame) return 0;
    App().frame = frame;
    ShowWindow(frame, showCommand);
    ShowCursor(FALSE);
    PlayIntroMovie(frame, kIntroMovie, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    InvalidateRect(frame, nullptr, TRUE);
    ShowCursor(TRUE);
    UpdateWindow(frame);

    bool classFailed = false;
    HWND menu = CreateMenuWindow(frame, instance, &classFailed);
    App().menu = menu;
    if (menu) {
        ShowWindow(menu, showCommand);
        UpdateWindow(menu);
        // A message box during the menu's creation activates the frame last; the menu window
        // must still end up above it, not hidden behind a black screen.
        SetWindowPos(menu, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else if (!classFailed) {
        // A menu window that cannot be made ends the program as a failed registration does.
        DestroyWindow(frame);
        return 0;
    }
    // Without the menu class the black frame stays alone until the player closes it.
    return RunMessageLoop();
}
