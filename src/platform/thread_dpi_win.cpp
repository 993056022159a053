#include "platform/thread_dpi_win.h"

#include "platform/library_function_win.h"

namespace zorv {
namespace {

// DPI_AWARENESS_CONTEXT_UNAWARE, which older headers lack.
const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));

LibraryFunction User32(const char* name) { return FindFunction(GetModuleHandleA("user32.dll"), name); }

// The thread's awareness before, or null when the system has no per-thread awareness or
// `context` is none.
HANDLE SetThreadAwareness(HANDLE context) {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    static const SetContext set = User32("SetThreadDpiAwarenessContext");
    return set && context ? set(context) : nullptr;
}

HANDLE AwarenessOf(HWND window) {
    using WindowContext = HANDLE(WINAPI*)(HWND);
    static const WindowContext of = User32("GetWindowDpiAwarenessContext");
    return of ? of(window) : nullptr;
}

}  // namespace

ThreadDpiAwareness::ThreadDpiAwareness() : before_(SetThreadAwareness(kUnaware)) {}

ThreadDpiAwareness::ThreadDpiAwareness(HWND window) : before_(SetThreadAwareness(AwarenessOf(window))) {}

ThreadDpiAwareness::~ThreadDpiAwareness() { SetThreadAwareness(before_); }

HWND RootOwner(HWND window) {
    using Ancestor = HWND(WINAPI*)(HWND, UINT);
    static const Ancestor ancestor = User32("GetAncestor");
    constexpr UINT kRootOwner = 3;  // GA_ROOTOWNER, which the Windows 95 headers lack
    return ancestor ? ancestor(window, kRootOwner) : RootOwnerByChain(window);
}

HWND RootOwnerByChain(HWND window) {
    if (!IsWindow(window)) return nullptr;
    // GetParent gives a child's parent and a popup's owner, as GetAncestor follows them.
    for (HWND next; (next = GetParent(window)) != nullptr;) window = next;
    return window;
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
