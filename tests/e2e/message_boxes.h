// The program's message boxes (caption "Message", no owner, one OK button): waiting for them,
// reading and checking their text, dismissing them.
#ifndef ZORV_E2E_MESSAGE_BOXES_H
#define ZORV_E2E_MESSAGE_BOXES_H

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "wait.h"

namespace zorv_e2e {

constexpr char kMessageCaption[] = "Message";
// The notice that the intro movie step shows on the Windows NT family before it plays.
constexpr char kIntroNotice[] = "Starting AVI";

// Waits for the program's message box; null on timeout.
HWND WaitForMessageBox(DWORD pid, DWORD timeout_ms = kWindowTimeout);
std::string MessageBoxText(HWND box);
// Presses OK and waits until the box is gone.
bool DismissMessageBox(HWND box);
// Class, title and, for a dialog, the message text: for failure messages.
std::string DescribeWindow(HWND window);

// Says what happened instead of a message box that can then no longer come, or "" while one
// still may.
using GoneBy = std::function<std::string()>;

// Waits for a message box, checks its text, dismisses it; in order, for each text. Boxes whose
// text is in passed_over are dismissed without counting, wherever they come. gone_by, when
// given, ends the wait for a box early.
::testing::AssertionResult ExpectMessages(DWORD pid, const std::vector<std::string>& texts,
                                          DWORD timeout_each_ms = kWindowTimeout,
                                          const std::vector<std::string>& passed_over = {},
                                          const GoneBy& gone_by = GoneBy());
// No dialog of the process is showing.
::testing::AssertionResult NoDialogShowing(DWORD pid);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_MESSAGE_BOXES_H
