#include "common/thread_dpi_win.h"

namespace zorv {
namespace {

using SetThreadContext = HANDLE(WINAPI*)(HANDLE);
using WindowContext = HANDLE(WINAPI*)(HWND);
// DPI_AWARENESS_CONTEXT_UNAWARE, which older headers lack.
const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));

template <class Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

ThreadDpiAwareness::ThreadDpiAwareness() { Use(kUnaware); }

ThreadDpiAwareness::ThreadDpiAwareness(HWND window) {
    const auto of = User32<WindowContext>("GetWindowDpiAwarenessContext");
    if (of) Use(of(window));
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
    if (before_) User32<SetThreadContext>("SetThreadDpiAwarenessContext")(before_);
}

void ThreadDpiAwareness::Use(HANDLE context) {
    const auto set = User32<SetThreadContext>("SetThreadDpiAwarenessContext");
    if (set && context) before_ = set(context);
}

RECT WindowRectInPixels(HWND window) {
    ThreadDpiAwareness asWindow(window);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

POINT ClientToScreenInPixels(HWND window, POINT at) {
    ThreadDpiAwareness asWindow(window);
    ClientToScreen(window, &at);
    return at;
}

}  // namespace zorv
