// zorv_remote wait-menu SECONDS : exits 0 once the menu window is visible, 1 on time-out. The
//                                 intro movie's notice is answered with OK on the way.
// zorv_remote close SECONDS     : closes the menu window as QUIT does and waits until it is gone.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND FindMenu() { return FindWindowExA(nullptr, nullptr, "Zorv3D Child", nullptr); }

HWND FindMenuAnywhere() {
    if (HWND menu = FindMenu()) return menu;
    HWND frame = FindWindowA("Zorv3D", nullptr);
    return frame ? FindWindowExA(frame, nullptr, "Zorv3D Child", nullptr) : nullptr;
}

// The notice "Starting AVI" that comes before the intro movie on the Windows NT family.
void AnswerMovieNotice() {
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", "Message")) != nullptr;) {
        char text[64] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text control
        if (std::strcmp(text, "Starting AVI") == 0) PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zorv_remote wait-menu|close SECONDS\n");
        return 2;
    }
    DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    if (std::strcmp(argv[1], "wait-menu") == 0) {
        while (GetTickCount() < deadline) {
            HWND menu = FindMenuAnywhere();
            if (menu && IsWindowVisible(menu)) return 0;
            AnswerMovieNotice();
            Sleep(50);
        }
        return 1;
    }
    if (std::strcmp(argv[1], "close") == 0) {
        HWND menu = FindMenuAnywhere();
        if (!menu) return 1;
        PostMessageA(menu, WM_CLOSE, 0, 0);
        while (GetTickCount() < deadline) {
            if (!IsWindow(menu)) return 0;
            Sleep(50);
        }
        return 1;
    }
    return 2;
}
