// GoogleTest's Notification, which it builds from std::mutex and std::condition_variable: the
// program's compiler flavour has neither. Only GoogleTest's own thread tests wait on one; its locks
// are Win32 ones. Force-included into the Windows test programs (CMakeLists.txt), so it brings
// <windows.h> to each of their files first, without its min and max macros.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// A manual-reset event: the waiting thread sleeps in the system until it is set.
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
