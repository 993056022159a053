// Finding the dialog a thread shows, for tests that drive a modal dialog from inside its loop, and
// the helper thread that drives it.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace zorv_test {

// A thread that runs `body` and is joined at the latest when the object goes. The runtime the
// program ships with has no std::thread.
class TestThread {
public:
    explicit TestThread(std::function<void()> body)
        : body_(std::move(body)), handle_(CreateThread(nullptr, 0, &Run, this, 0, nullptr)) {}
    ~TestThread() { join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;
    void join() {
        if (!handle_) return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<TestThread*>(self)->body_();
        return 0;
    }
    std::function<void()> body_;
    HANDLE handle_;
};

// The first visible dialog (class "#32770") of `thread`; null when it shows none.
inline HWND VisibleDialogOfThread(DWORD thread) {
    struct Search {
        static BOOL CALLBACK Take(HWND window, LPARAM out) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        }
    };
    HWND found = nullptr;
    EnumThreadWindows(thread, Search::Take, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace zorv_test
