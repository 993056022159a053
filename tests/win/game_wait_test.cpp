// The front-end's wait for the game: rounds until the game ends, its exit code, and messages
// sent by other threads answered meanwhile while posted input stays queued.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "common/handle_guards_win.h"
#include "launch/launch_win.h"
#include "test_child.h"
#include "thread_dialogs_win.h"

using namespace zorv;

namespace {

constexpr UINT kSent = WM_APP + 1;
constexpr UINT kPosted = WM_APP + 2;
std::atomic<int> g_sentAnswered{0};
std::atomic<int> g_postedHandled{0};

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSent) return ++g_sentAnswered;
    if (message == kPosted || message == WM_LBUTTONDOWN) ++g_postedHandled;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(GameWait, AnswersSentMessagesKeepsPostedInputAndReturnsTheExitCode) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "zorv game wait test";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_TRUE(window != nullptr);

    struct Case {
        int stayMs;
        DWORD exitCode;
    } cases[] = {{1500, 7}, {100, STILL_ACTIVE}};
    for (const Case& c : cases) {
        g_sentAnswered = 0;
        g_postedHandled = 0;
        PostMessageA(window, kPosted, 0, 0);
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        HANDLE game = zorv_test::StartTestChild("end " + std::to_string(c.stayMs) + " " + std::to_string(c.exitCode));
        KernelHandle owner(game);
        ASSERT_TRUE(game != nullptr);

        // As a program broadcasting a settings change does, from another thread, with a time limit.
        std::atomic<bool> answeredWhileRunning{false};
        zorv_test::TestThread sender([&] {
            if (c.stayMs < 1000) return;
            Sleep(300);
            DWORD_PTR result = 0;
            bool answered = SendMessageTimeoutA(window, kSent, 0, 0, SMTO_NORMAL, 700, &result) && result == 1;
            answeredWhileRunning = answered && WaitForSingleObject(game, 0) == WAIT_TIMEOUT;
        });
        const DWORD start = GetTickCount();
        DWORD exitCode = WaitForGameEnd(game);
        const DWORD waited = GetTickCount() - start;
        sender.join();

        EXPECT_EQ(exitCode, c.exitCode);
        // 259 (STILL_ACTIVE) too ends the wait once the process has gone, within its first round.
        EXPECT_LT(waited, static_cast<DWORD>(c.stayMs) + 900) << c.stayMs;
        if (c.stayMs >= 1000) {
            EXPECT_TRUE(answeredWhileRunning) << "the sent message waited for the game";
        }
        EXPECT_EQ(g_postedHandled, 0) << "posted input was taken during the wait";
        MSG message;
        int queued = 0;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
            queued += message.message == kPosted || message.message == WM_LBUTTONDOWN;
        EXPECT_EQ(queued, 2) << "posted input must still be waiting after the game";
    }
    DestroyWindow(window);
}
