// GoogleTest's Notification for the program's compiler flavour, which has no std::mutex or
// std::condition_variable to build GoogleTest's own from. Only GoogleTest's thread tests wait on
// one; its locks and thread-local storage are its own Win32 ones. Included before everything in
// the Windows test programs (CMakeLists.txt).
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) {}
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
