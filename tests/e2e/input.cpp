#include "input.h"

#include <algorithm>
#include <iterator>

#include <shlwapi.h>

#include "platform/handle_guards_win.h"
#include "wait.h"
#include "window_search.h"

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

// The real pointer's moves as the system takes them in. Under Wine, moving the real pointer
// moves the X server's pointer too, and the X server tells the program under it, which turns
// that into a pointer move of its own, at its own pace. Taken late, after the test has moved
// the pointer on, such a move puts the pointer back where an earlier step left it: a button is
// entered twice, a dragged thumb jumps back. So every move of the real pointer waits until its
// echo has come in. A low-level mouse hook on a thread of its own sees the echoes: they are
// moves the system took as real input (not injected), at the new place.
class PointerEchoes {
public:
    static PointerEchoes& Get() {
        static PointerEchoes echoes;
        return echoes;
    }

    // Puts the real pointer on a screen point; true once the move has come back from the X
    // server, false when it did not within kSendTimeoutMs.
    bool MoveTo(POINT screen) {
        POINT now{};
        if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) return true;
        const size_t before = Count();
        if (!SetCursorPos(screen.x, screen.y)) return false;
        return WaitFor([&] { return SeenSince(before, screen); }, kSendTimeoutMs, 1);
    }

private:
    PointerEchoes() {
        InitializeCriticalSection(&lock_);
        zorv::KernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        zorv::KernelHandle thread(CreateThread(nullptr, 0, Pump, ready.get(), 0, nullptr));
        if (thread) WaitForSingleObject(ready.get(), kSendTimeoutMs);
    }

    size_t Count() {
        EnterCriticalSection(&lock_);
        const size_t count = moves_.size();
        LeaveCriticalSection(&lock_);
        return count;
    }

    bool SeenSince(size_t before, POINT screen) {
        EnterCriticalSection(&lock_);
        bool seen = false;
        for (size_t i = before; i < moves_.size() && !seen; ++i) {
            seen = moves_[i].x == screen.x && moves_[i].y == screen.y;
        }
        LeaveCriticalSection(&lock_);
        return seen;
    }

    // The hook's thread: a low-level hook is called on the thread that set it, through its
    // message queue, so the thread does nothing but answer messages for the life of the tests.
    static DWORD WINAPI Pump(LPVOID ready) {
        HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, Hook, GetModuleHandleA(nullptr), 0);
        SetEvent(ready);
        MSG msg;
        while (hook && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
        if (code == HC_ACTION && wparam == WM_MOUSEMOVE && !(info->flags & LLMHF_INJECTED)) {
            PointerEchoes& echoes = Get();
            EnterCriticalSection(&echoes.lock_);
            echoes.moves_.push_back(info->pt);
            LeaveCriticalSection(&echoes.lock_);
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    CRITICAL_SECTION lock_;
    std::vector<POINT> moves_;
};

}  // namespace

bool PutPointer(POINT screen) { return PointerEchoes::Get().MoveTo(screen); }

bool MoveMouse(HWND window, int x, int y) {
    const bool echoed = PutPointer(ClientToScreenOf(window, {x, y}));
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored) !=
               0 &&
           echoed;
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
    PutPointer(ClientToScreenOf(window, {x, y}));
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

bool CursorShowing() {
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) && (cursor.flags & CURSOR_SHOWING) != 0;
}

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

std::string SendKeysInFront(HWND window, const std::vector<WORD>& vks, const std::function<bool()>& taken,
                            DWORD timeout_ms) {
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (!Activate(window)) {
            return taken() ? ""
                           : "the window cannot be made the foreground window (try " + std::to_string(attempt) + ")";
        }
        if (!SendKeys(vks)) return "SendInput refused the keys";
        bool lost = false;
        WaitFor(
            [&] {
                if (taken()) return true;
                lost = IsWindow(window) && GetForegroundWindow() != window;
                return lost;
            },
            timeout_ms);
        if (taken()) return "";
        if (!lost) return "the window stayed in front and the keys were not taken";
    }
    return "the window lost the foreground before the keys arrived, " + std::to_string(kTries) + " times";
}

// Where Wine looks for zorv3d.exe's choice of libraries, native or its own, and the libraries the
// stand-in is put in as: the controller's, and two of the system's.
constexpr char kOverridesKey[] = "Software\\Wine\\AppDefaults\\zorv3d.exe\\DllOverrides";
const char* const kStandInNames[] = {"dinput8", "winmm", "shell32"};

StandInController::StandInController(Kind kind) : kind_(kind) {
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(zorv_standin::JoystickState), zorv_standin::kMappingName));
    if (mapping_)
        state_ = static_cast<zorv_standin::JoystickState*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0));
    Write(0, kHatCentred);
}

StandInController::~StandInController() {
    for (const char* name : kStandInNames) SHDeleteValueA(HKEY_CURRENT_USER, kOverridesKey, name);
}

bool StandInController::Install(const std::string& folder) {
    static const char kNativeFirst[] = "native,builtin";
    bool done = state_ != nullptr;
    for (const char* name : kStandInNames)
        done = done && CopyFileA(ZORV_E2E_JOYSTICK_STANDIN, (folder + "\\" + name + ".dll").c_str(), FALSE) &&
               SHSetValueA(HKEY_CURRENT_USER, kOverridesKey, name, REG_SZ, kNativeFirst, sizeof kNativeFirst) ==
                   ERROR_SUCCESS;
    return done;
}

void StandInController::Write(unsigned buttons, unsigned long hat) {
    if (!state_) return;
    state_->x = state_->y = 32767;
    state_->hat = hat;
    // Without a hat, its direction goes to the stick's edge: ahead or left to 0, else to 65535.
    if (kind_ == kWithoutHat && hat != kHatCentred) (hat % 18000 ? state_->x : state_->y) = hat % 27000 ? 65535 : 0;
    state_->hatless = kind_ == kWithoutHat;
    for (int i = 0; i < zorv_standin::kButtonCount; ++i) state_->buttons[i] = (buttons >> i) & 1;
    state_->attached = kind_ != kUnplugged;
}

bool StandInController::WaitForReads(long count, DWORD timeout_ms, DWORD poll_ms) {
    if (!state_) return false;
    auto reads = [this] { return InterlockedCompareExchange(&state_->reads, 0, 0); };
    const long before = reads();
    return WaitFor([&] { return reads() - before >= count; }, timeout_ms, poll_ms);
}

bool StandInController::WaitForPolling(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (state_) state_->reader = 0;
    return state_ && WaitFor([&] { return state_->reader == thread; }, kStartTimeout, kPollMs);
}

bool StandInController::WaitForLook() {
    return state_ && WaitFor([this] { return InterlockedCompareExchange(&state_->reads, 0, 0) > 0; }, kStartTimeout);
}

bool StandInController::FailOneRead() {
    if (state_) state_->attached = 0;
    const bool failed = WaitForReads(1, kSendTimeoutMs, 1);
    Write(0, kHatCentred);
    return failed;
}

bool StandInController::Tap(unsigned buttons, unsigned long hat) {
    Write(buttons, hat);
    const bool seen = WaitForReads(1, kSendTimeoutMs, 1);
    Write(0, kHatCentred);
    return seen && WaitForReads(1, kSendTimeoutMs, 1);
}

}  // namespace zorv_e2e
