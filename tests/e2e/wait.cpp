#include "wait.h"

namespace zorv_e2e {

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms, DWORD poll_ms) {
    for (Deadline deadline(timeout_ms);; Sleep(poll_ms)) {
        const bool late = deadline.Passed();
        if (condition()) return true;
        if (late) return false;
    }
}

}  // namespace zorv_e2e
