// GoogleTest's Notification, which it builds from std::mutex and std::condition_variable: the
// program's compiler flavour has neither. Only GoogleTest's own thread tests wait on one; its locks
// are Win32 ones. Force-included into the Windows test programs (CMakeLists.txt).
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

struct Notification {
    std::atomic<bool> notified{false};
    void Notify() { notified = true; }
    void WaitForNotification() {
        while (!notified) {}
    }
};

}  // namespace testing::internal
