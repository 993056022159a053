// The yardstick: the least a Win32 program does for each thing the benchmark measures.
//   bench_minimal.exe        shows one 640x480 window; the pointer entering a 160x60 spot at
//                            (100, 100) blits a prepared picture there, leaving it blits black
//   bench_minimal.exe game   the same window, then minimises itself, runs .\proc.exe, waits for
//                            it to end and restores itself, as the front-end does around a game
#include <windows.h>

#include <cstring>

namespace {

const RECT kSpot = {100, 100, 260, 160};

struct Minimal {
    HBITMAP lit = nullptr;
    bool inside = false;
};
Minimal g_minimal;

void Blit(HWND w, bool lit) {
    HDC dc = GetDC(w);
    if (lit) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g_minimal.lit);
        BitBlt(dc, kSpot.left, kSpot.top, kSpot.right - kSpot.left, kSpot.bottom - kSpot.top, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        FillRect(dc, &kSpot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ReleaseDC(w, dc);
}

void OnMouseMove(HWND w, LPARAM lp) {
    POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    bool inside = PtInRect(&kSpot, p) != FALSE;
    if (inside != g_minimal.inside) Blit(w, inside);
    g_minimal.inside = inside;
}

void RunGame(HWND w) {
    ShowWindow(w, SW_MINIMIZE);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[1] = "";
    if (CreateProcessA(".\\proc.exe", commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    ShowWindow(w, SW_RESTORE);
}

LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_MOUSEMOVE: OnMouseMove(w, lp); return 0;
    case WM_APP: RunGame(w); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, m, wp, lp);
    }
}

HBITMAP MakePicture() {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, kSpot.right - kSpot.left, kSpot.bottom - kSpot.top);
    HGDIOBJ old = SelectObject(memory, picture);
    HBRUSH green = CreateSolidBrush(RGB(40, 220, 60));
    RECT all = {0, 0, kSpot.right - kSpot.left, kSpot.bottom - kSpot.top};
    FillRect(memory, &all, green);
    DeleteObject(green);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int show) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "Zorv3D Minimal";
    RegisterClassA(&wc);
    g_minimal.lit = MakePicture();
    HWND w = CreateWindowExA(0, "Zorv3D Minimal", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, instance, nullptr);
    ShowWindow(w, show);
    UpdateWindow(w);
    if (arguments && std::strcmp(arguments, "game") == 0) PostMessageA(w, WM_APP, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DeleteObject(g_minimal.lit);
    return 0;
}
