#include "window_search.h"

#include "platform/thread_dpi_win.h"
#include "screen_pixels.h"

namespace zorv_e2e {
namespace {

struct WindowSearch {
    DWORD pid;
    const char* class_name;
    const char* title;
    std::vector<HWND>* out;
};

bool Matches(HWND window, const WindowSearch& search) {
    if (ProcessOf(window) != search.pid) return false;
    if (search.class_name && ClassOf(window) != search.class_name) return false;
    if (search.title) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);  // a top-level caption needs no message
        if (std::string(text) != search.title) return false;
    }
    return true;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    if (Matches(window, *search)) search->out->push_back(window);
    return TRUE;
}

}  // namespace

std::string ClassOf(HWND window) {
    char name[256] = {};
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied)) {
        GetWindowTextA(window, text, sizeof text);
    }
    text[sizeof text - 1] = '\0';
    return text;
}

RECT WindowRectOf(HWND window) { return zorv::WindowRectInPixels(window); }

POINT ClientToScreenOf(HWND window, POINT at) { return zorv::ClientToScreenInPixels(window, at); }

RECT ClientRectOf(HWND window) {
    zorv::ThreadDpiAwareness asWindow(window);
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

RECT ClientRectOnScreen(HWND window) {
    RECT client = ClientRectOf(window);
    const POINT origin = ClientToScreenOf(window, {0, 0});
    OffsetRect(&client, origin.x, origin.y);
    return client;
}

bool IsShown(HWND window) { return window && IsWindow(window) && IsWindowVisible(window); }

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool Answers(HWND window, UINT timeout_ms) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout_ms, &ignored) != 0;
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << RectText(actual) << ", expected " << RectText(expected);
}

std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name, const char* title) {
    std::vector<HWND> found;
    WindowSearch search{pid, class_name, title, &found};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return found;
}

HWND FindWindowOfProcess(DWORD pid, const char* class_name, const char* title) {
    std::vector<HWND> found = TopLevelWindows(pid, class_name, title);
    if (!found.empty()) return found.front();
    for (HWND top : TopLevelWindows(pid)) {
        WindowSearch search{pid, class_name, title, &found};
        EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&search));
        if (!found.empty()) return found.front();
    }
    return nullptr;
}

HWND FindDialog(DWORD pid, const char* title) {
    for (HWND dialog : TopLevelWindows(pid, kDialogClass, title)) {
        if (IsWindowVisible(dialog)) return dialog;
    }
    return nullptr;
}

HWND WaitForDialog(DWORD pid, const char* title, DWORD timeout_ms) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindDialog(pid, title)) != nullptr; }, timeout_ms);
    return dialog;
}

HWND FindDialogWith(DWORD pid, int control) {
    for (HWND dialog : TopLevelWindows(pid, kDialogClass)) {
        if (IsWindowVisible(dialog) && GetDlgItem(dialog, control)) return dialog;
    }
    return nullptr;
}

HWND WaitForDialogWith(DWORD pid, int control, DWORD timeout_ms) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindDialogWith(pid, control)) != nullptr; }, timeout_ms);
    return dialog;
}

bool WaitUntilGone(HWND window, DWORD timeout_ms) {
    return WaitFor([window] { return !IsShown(window); }, timeout_ms);
}

std::string DialogItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? TextOf(item) : std::string();
}

bool ClickDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) return false;
    // Posted, not sent: a button that opens another modal window must not block the driver.
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

::testing::AssertionResult ShowsOnScreen(HWND dialog, DWORD timeout_ms) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    POINT wrong{};
    COLORREF seen = face;
    auto drawn = [&] {
        const RECT client = ClientRectOf(dialog);
        POINT corners[] = {
            {3, 3}, {client.right - 4, 3}, {3, client.bottom - 4}, {client.right - 4, client.bottom - 4}};
        for (POINT& p : corners) {
            p = ClientToScreenOf(dialog, p);
            seen = ScreenPixel(p.x, p.y);
            if (seen != face) {
                wrong = p;
                return false;
            }
        }
        return true;
    };
    if (WaitFor(drawn, timeout_ms)) return ::testing::AssertionSuccess();
    HWND top = GetAncestor(WindowFromPoint(wrong), GA_ROOT);
    return ::testing::AssertionFailure() << "the dialog at " << RectText(WindowRectOf(dialog))
                                         << " is not on the screen: (" << wrong.x << ", " << wrong.y << ") shows "
                                         << ColorText(seen) << ", not its face " << ColorText(face)
                                         << " (the top window there is of class \"" << ClassOf(top) << "\")";
}

}  // namespace zorv_e2e
