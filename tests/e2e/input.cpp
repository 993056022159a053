#include "input.h"

#include <algorithm>
#include <iterator>

#include "wait.h"

namespace zorv_e2e {
namespace {

// Keys whose scan code comes with the extended-key flag.
constexpr UINT kExtendedKeys[] = {VK_INSERT, VK_DELETE,  VK_HOME,     VK_END,  VK_PRIOR,    VK_NEXT,
                                  VK_LEFT,   VK_RIGHT,   VK_UP,       VK_DOWN, VK_RCONTROL, VK_RMENU,
                                  VK_DIVIDE, VK_NUMLOCK, VK_SNAPSHOT, VK_LWIN, VK_RWIN,     VK_APPS};

bool IsExtendedKey(UINT vk) {
    return std::find(std::begin(kExtendedKeys), std::end(kExtendedKeys), vk) != std::end(kExtendedKeys);
}

// lParam of a key message: repeat count 1, scan code, extended flag, Alt context bit, and for a
// release the previous-state and transition bits.
LPARAM KeyLParam(UINT vk, bool alt, bool up) {
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF;
    DWORD value = 1u | (scan << 16);
    if (IsExtendedKey(vk)) value |= 1u << 24;
    if (alt) value |= 1u << 29;
    if (up) value |= (1u << 30) | (1u << 31);
    return static_cast<LPARAM>(value);
}

}  // namespace

bool MoveMouse(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored) !=
           0;
}

void Press(HWND window, int x, int y) {
    SendNotifyMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendNotifyMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void Click(HWND window, int x, int y) {
    MoveMouse(window, x, y);
    Press(window, x, y);
}

void PostPointer(HWND window, UINT message, WPARAM keys, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(window, message, keys, MAKELPARAM(x, y));
}

void ParkCursor() {
    // Wine moves the real pointer only when this process has its display driver loaded (asking
    // where the pointer is does that) and the position changes in the server's books, which a new
    // desktop starts at (0, 0) wherever the real pointer is: hence the question and the detour.
    POINT pointer{};
    GetCursorPos(&pointer);
    SetCursorPos(2, 2);
    SetCursorPos(0, 0);
}

void PostKey(HWND window, UINT vk, bool alt) {
    if (alt) {
        PostMessageA(window, WM_SYSKEYDOWN, VK_MENU, KeyLParam(VK_MENU, true, false));
        PostMessageA(window, WM_SYSKEYDOWN, vk, KeyLParam(vk, true, false));
        PostMessageA(window, WM_SYSKEYUP, vk, KeyLParam(vk, true, true));
        PostMessageA(window, WM_KEYUP, VK_MENU, KeyLParam(VK_MENU, false, true));
    } else {
        PostMessageA(window, WM_KEYDOWN, vk, KeyLParam(vk, false, false));
        PostMessageA(window, WM_KEYUP, vk, KeyLParam(vk, false, true));
    }
}

void PostAltF4(HWND window) { PostKey(window, VK_F4, true); }

bool Activate(HWND window, DWORD timeout_ms) {
    return WaitFor(
        [window] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        timeout_ms);
}

bool SendKeys(const std::vector<WORD>& vks) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (WORD vk : vks) add(vk, false);
    for (auto it = vks.rbegin(); it != vks.rend(); ++it) add(*it, true);
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

}  // namespace zorv_e2e
