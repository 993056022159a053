#include "startup/message_loop_win.h"

#include <windows.h>

namespace zorv {

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

}  // namespace zorv
