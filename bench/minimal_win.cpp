// The yardstick: the least a Win32 program does for each thing the benchmark measures.
//   bench_minimal.exe        shows one 640x480 window; the pointer entering a 160x60 spot at
//                            (100, 100) blits a prepared picture there, leaving it blits black
//   bench_minimal.exe game   the same window, then minimises itself, runs .\proc.exe, waits for
//                            it to end and restores itself, as the front-end does around a game
#include <windows.h>

#include <cstring>

#include "platform/gdi_guards_win.h"
#include "platform/handle_guards_win.h"
#include "settings/game_files.h"

namespace {

const RECT kSpot = {100, 100, 260, 160};

struct Minimal {
    zorv::GdiObject<HBITMAP> lit;
    bool inside = false;
};
Minimal g_minimal;

void Blit(HWND w, bool lit) {
    zorv::WindowDC dc(w);
    if (lit) {
        zorv::MemoryDC memory(dc.get());
        zorv::SelectedObject selected(memory.get(), g_minimal.lit.get());
        BitBlt(dc.get(), kSpot.left, kSpot.top, kSpot.right - kSpot.left, kSpot.bottom - kSpot.top, memory.get(), 0, 0,
               SRCCOPY);
    } else {
        FillRect(dc.get(), &kSpot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
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
    if (CreateProcessA(zorv::kGameProgram, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        zorv::KernelHandle owned(process.hProcess), thread(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
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
    zorv::WindowDC screen(nullptr);
    zorv::MemoryDC memory(screen.get());
    HBITMAP picture = CreateCompatibleBitmap(screen.get(), kSpot.right - kSpot.left, kSpot.bottom - kSpot.top);
    zorv::SelectedObject selected(memory.get(), picture);
    zorv::GdiObject<HBRUSH> green(CreateSolidBrush(RGB(40, 220, 60)));
    RECT all = {0, 0, kSpot.right - kSpot.left, kSpot.bottom - kSpot.top};
    FillRect(memory.get(), &all, green.get());
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
    g_minimal.lit.reset(MakePicture());
    HWND w = CreateWindowExA(0, "Zorv3D Minimal", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, instance, nullptr);
    ShowWindow(w, show);
    UpdateWindow(w);
    if (arguments && std::strcmp(arguments, "game") == 0) PostMessageA(w, WM_APP, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    g_minimal.lit.reset();
    return 0;
}
