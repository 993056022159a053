#pragma once

namespace zorv {

// Handles messages in arrival order until the quit message; returns its value. An empty
// queue is waited on, so an idle menu costs no processor time.
int RunMessageLoop();

}  // namespace zorv
