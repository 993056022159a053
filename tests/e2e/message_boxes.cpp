#include "message_boxes.h"

#include <algorithm>

#include "window_search.h"

namespace zorv_e2e {
namespace {

// The platform's message box keeps its text in a static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

HWND WaitForMessageBox(DWORD pid, DWORD timeout_ms) { return WaitForDialog(pid, kMessageCaption, timeout_ms); }

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    if (text) return TextOf(text);
    std::string longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Static") {
            std::string candidate = TextOf(child);
            if (candidate.size() > longest.size()) longest = candidate;
        }
    }
    return longest;
}

bool DismissMessageBox(HWND box) {
    if (!ClickDialogButton(box, IDOK)) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntilGone(box);
}

std::string DescribeWindow(HWND window) {
    std::string text = "window class \"" + ClassOf(window) + "\" title \"" + TextOf(window) + "\"";
    if (ClassOf(window) == kDialogClass) {
        std::string body = MessageBoxText(window);
        if (!body.empty()) text += " text \"" + body + "\"";
    }
    return text;
}

::testing::AssertionResult ExpectMessages(DWORD pid, const std::vector<std::string>& texts, DWORD timeout_each_ms,
                                          const std::vector<std::string>& passed_over, const GoneBy& gone_by) {
    for (size_t i = 0; i < texts.size();) {
        HWND box = nullptr;
        std::string instead;
        WaitFor(
            [&] {
                box = FindDialog(pid, kMessageCaption);
                if (!box && gone_by) instead = gone_by();
                return box || !instead.empty();
            },
            timeout_each_ms);
        if (!box) {
            if (instead.empty()) {
                instead = "none appeared within " + std::to_string(timeout_each_ms) + " ms";
                if (HWND other = FindDialog(pid)) instead += "; showing instead: " + DescribeWindow(other);
            }
            return ::testing::AssertionFailure() << "expected message box " << (i + 1) << " of " << texts.size()
                                                 << " (\"" << texts[i] << "\"), but " << instead;
        }
        std::string text = MessageBoxText(box);
        bool dismissed = DismissMessageBox(box);
        if (text != texts[i] && Contains(passed_over, text) && dismissed) continue;
        if (text != texts[i]) {
            return ::testing::AssertionFailure() << "message box " << (i + 1) << " of " << texts.size() << " says \""
                                                 << text << "\", expected \"" << texts[i] << "\"";
        }
        if (!dismissed) return ::testing::AssertionFailure() << "message box \"" << text << "\" did not go on OK";
        ++i;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult NoDialogShowing(DWORD pid) {
    if (HWND dialog = FindDialog(pid)) return ::testing::AssertionFailure() << "unexpected " << DescribeWindow(dialog);
    return ::testing::AssertionSuccess();
}

}  // namespace zorv_e2e
