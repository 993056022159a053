// Waiting for the program under test: every wait has a deadline, and all of them go through
// WaitFor, which asks a condition again every few milliseconds until it holds or time is up.
#ifndef ZORV_E2E_WAIT_H
#define ZORV_E2E_WAIT_H

#include <windows.h>

#include <functional>

namespace zorv_e2e {

// Default deadlines, in milliseconds. Generous: a loaded CI machine under Wine is slow.
constexpr DWORD kStartTimeout = 20000;   // from process start to a visible menu window
constexpr DWORD kWindowTimeout = 10000;  // for one window or message box to appear or vanish
constexpr DWORD kExitTimeout = 10000;    // for the process to end after it was told to
// How long a message sent to the program may take before it counts as not answering.
constexpr UINT kSendTimeoutMs = 2000;
// The pause between two questions of a wait.
constexpr DWORD kPollMs = 20;

// A deadline on the tick counter, safe across its wrap.
class Deadline {
public:
    explicit Deadline(DWORD ms) : start_(GetTickCount()), ms_(ms) {}
    bool Passed() const { return Elapsed() >= ms_; }
    DWORD Elapsed() const { return GetTickCount() - start_; }

private:
    DWORD start_;
    DWORD ms_;
};

// Asks `condition` until it returns true or timeout_ms have passed, pausing poll_ms between
// questions; the last question comes after the deadline, so that a state reached just in time
// counts. True when the condition held. A condition may also end the wait early by returning
// true after noting that what it waits for can no longer come.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms, DWORD poll_ms = kPollMs);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_WAIT_H
