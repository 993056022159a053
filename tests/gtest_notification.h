// GoogleTest's Notification, which it builds from std::mutex and std::condition_variable: the
// program's compiler flavour has neither. Only GoogleTest's own thread tests wait on one, on a
// manual-reset event, asleep in the system until it is set. Force-included into the Windows test
// programs (CMakeLists.txt): it brings <windows.h>, without its min and max macros, to them first.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

struct Notification {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Notification() { CloseHandle(event); }
    void Notify() { SetEvent(event); }
    void WaitForNotification() { WaitForSingleObject(event, INFINITE); }
};

}  // namespace testing::internal
