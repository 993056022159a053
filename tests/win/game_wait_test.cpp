// The front-end's wait for the game: rounds until the game ends, its exit code, and messages
// sent by other threads answered meanwhile while posted input stays queued. And the hand-over of
// a later start to the front-end that holds its folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <utility>

#include "launch/launch_win.h"
#include "platform/handle_guards_win.h"
#include "startup/single_instance_win.h"
#include "startup/windows_win.h"
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

// The holder's frame names the later start's own window first, then itself; it runs no game.
LRESULT CALLBACK HolderFrameProc(HWND frame, UINT message, WPARAM question, LPARAM lParam) {
    static bool named = false;
    if (message != SecondStartMessage() || question != kAskForWindow)
        return DefWindowProcA(frame, message, question, lParam);
    return reinterpret_cast<LRESULT>(std::exchange(named, true) ? frame : FindWindowA(nullptr, "zorv later start"));
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

// A later start (test_child.exe claim) hands over to the folder's holder, this test, and puts in
// front only a window of the holder's process or of its game's: another program's window (its
// own, here) that the holder names is passed over, the holder's frame named next is put in front.
TEST(SecondStart, PutsInFrontOnlyAWindowOfTheHolderOrItsGame) {
    FolderClaim claim;
    ASSERT_TRUE(claim.Claim());
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = HolderFrameProc;
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    HWND frame = CreateWindowA(kFrameClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    KernelHandle later(zorv_test::StartTestChild("claim"));
    ASSERT_TRUE(frame && later);
    EXPECT_EQ(0u, WaitForGameEnd(later.get())) << "1: its own window was put in front; 3: it took the folder";
    DestroyWindow(frame);
}
