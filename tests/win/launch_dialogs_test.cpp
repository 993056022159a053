// The game launch's dialogs run for real: a helper thread finds the dialog that the test thread
// opened, reads it and presses its keys and buttons, while the modal loop runs on the test thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "launch/driver_dialogs_win.h"
#include "launch/game_log.h"
#include "launch/game_log_win.h"
#include "platform/message_box_win.h"
#include "resource_ids.h"
#include "thread_dialogs_win.h"

using namespace zorv;

namespace {

constexpr DWORD kDialogWait = 10000;
constexpr DWORD kSettleMs = 200;

// Runs `open` (a modal dialog) on this thread while `script` drives the first dialog this thread
// shows, from a helper thread. A dialog the script left open is ended after a while, so that a
// fault fails the test instead of holding it.
struct DialogRun {
    bool seen = false;
    bool forcedClosed = false;  // the script did not close it
};
DialogRun DriveDialog(const std::function<void()>& open, const std::function<void(HWND)>& script) {
    const DWORD self = GetCurrentThreadId();
    std::atomic<bool> returned{false};
    DialogRun run;
    zorv_test::TestThread helper([&] {
        HWND dialog = nullptr;
        for (DWORD start = GetTickCount(); !returned && GetTickCount() - start < kDialogWait; Sleep(10)) {
            if ((dialog = zorv_test::VisibleDialogOfThread(self))) break;
        }
        if (!dialog) return;
        run.seen = true;
        // Act as a player would, once the window has been put on the screen; a window that
        // Wine destroys in the same moment it maps it can take the process down with an X error.
        Sleep(kSettleMs);
        script(dialog);
        for (int i = 0; i < 300 && !returned && IsWindow(dialog); ++i) Sleep(10);
        if (!returned && IsWindow(dialog)) {
            run.forcedClosed = true;
            EndDialog(dialog, -1);
        }
    });
    open();
    returned = true;
    helper.join();
    return run;
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Texts of the controls without an identifier, in template order.
std::vector<std::string> UnnamedTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        if (LOWORD(GetDlgCtrlID(child)) == 0xFFFF) texts.push_back(text);
    }
    return texts;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressKey(HWND dialog, UINT key, UINT scanCode) {
    LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    PostMessageA(dialog, WM_KEYDOWN, key, down);
    PostMessageA(dialog, WM_KEYUP, key, down | (1u << 30) | (1u << 31));
}

// Presses Escape and says whether the dialog is still up once its loop has had time for it.
bool EscapeLeavesOpen(HWND dialog) {
    PressKey(dialog, VK_ESCAPE, 0x01);
    Sleep(250);
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

// The shell stand-in: records each call as one line and answers with the result set per browser.
std::vector<std::string> g_shellCalls;
std::vector<HWND> g_shellOwners;
INT_PTR g_iexploreResult = 0;
INT_PTR g_netscapeResult = 0;
std::vector<std::string> g_messages;

HINSTANCE WINAPI FakeShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    g_shellCalls.push_back(std::string(verb) + " " + file + " " + parameters + (directory ? " in a folder" : "") +
                           (show == SW_SHOWMAXIMIZED ? " maximised" : " not maximised"));
    g_shellOwners.push_back(owner);
    return reinterpret_cast<HINSTANCE>(lstrcmpA(file, "iexplore.exe") == 0 ? g_iexploreResult : g_netscapeResult);
}

void CollectMessage(const char* text) { g_messages.push_back(text); }

class DriverDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        g_shellCalls.clear();
        g_shellOwners.clear();
        g_messages.clear();
        SetShellExecuteForTesting(FakeShellExecute);
        SetMessageSinkForTesting(CollectMessage);
    }
    void TearDown() override {
        SetShellExecuteForTesting(nullptr);
        SetMessageSinkForTesting(nullptr);
    }
    HINSTANCE instance_ = GetModuleHandleA(nullptr);
};

}  // namespace

TEST_F(DriverDialogs, CheckAnswersOnlyThroughItsTwoButtons) {
    enum Action { kEnter, kLater, kStart };
    // clang-format off
    struct Case { const char* name; Action action; int before; int answer; } cases[] = {
        {"Enter answers with the default button", kEnter, 0, 1},
        {"after setting the driver", kLater, 1, 0},
        {"by current driver", kStart, 0, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        bool answer = c.before != 0;
        bool escapeLeftOpen = false;
        std::string start, later;
        DialogRun run = DriveDialog([&] { answer = ShowDriverCheckDialog(nullptr, instance_); },
                                    [&](HWND dialog) {
                                        start = ItemText(dialog, IDC_DRIVER_CHECK_START);
                                        later = ItemText(dialog, IDC_DRIVER_CHECK_LATER);
                                        escapeLeftOpen = EscapeLeavesOpen(dialog);
                                        if (c.action == kEnter) PressKey(dialog, VK_RETURN, 0x1C);
                                        if (c.action == kLater) Click(dialog, IDC_DRIVER_CHECK_LATER);
                                        if (c.action == kStart) Click(dialog, IDC_DRIVER_CHECK_START);
                                    });
        ASSERT_TRUE(run.seen) << c.name;
        EXPECT_FALSE(run.forcedClosed) << c.name;
        EXPECT_TRUE(escapeLeftOpen) << c.name;
        EXPECT_EQ(answer, c.answer != 0) << c.name;
        EXPECT_EQ(start, "Start the game by current OpenGL driver.");
        EXPECT_EQ(later, "Start the game after setting OpenGL driver.");
    }
}

TEST_F(DriverDialogs, GuideShowsTheLocationCutToItsBufferAndCancelStartsNothing) {
    const std::string longLocation = "C:\\" + std::string(150, 'd');
    // clang-format off
    struct Case { const char* name; const char* location; std::string shown; } cases[] = {
        {"a folder", ".\\Driver\\Card", ".\\Driver\\Card"},
        {"empty", "", ""},
        {"none", nullptr, ""},
        {"longer than 99", longLocation.c_str(), longLocation.substr(0, 99)},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::string location, guideText, download, cancel;
        std::vector<std::string> unnamed;
        bool escapeLeftOpen = false;
        DialogRun run = DriveDialog([&] { ShowDriverGuideDialog(nullptr, instance_, c.location); },
                                    [&](HWND dialog) {
                                        location = ItemText(dialog, IDC_DRIVER_GUIDE_LOCATION);
                                        guideText = ItemText(dialog, IDC_DRIVER_GUIDE_TEXT);
                                        download = ItemText(dialog, IDC_DRIVER_GUIDE_DOWNLOAD);
                                        cancel = ItemText(dialog, IDC_DRIVER_GUIDE_CANCEL);
                                        unnamed = UnnamedTexts(dialog);
                                        escapeLeftOpen = EscapeLeavesOpen(dialog);
                                        Click(dialog, IDC_DRIVER_GUIDE_CANCEL);
                                    });
        ASSERT_TRUE(run.seen) << c.name;
        EXPECT_FALSE(run.forcedClosed) << c.name;
        EXPECT_TRUE(escapeLeftOpen) << c.name;
        EXPECT_EQ(location, c.shown) << c.name;
        EXPECT_EQ(guideText, "Please, install  OpenGL driver in your system.");
        EXPECT_EQ(download, "Download");
        EXPECT_EQ(cancel, "Cancel");
        EXPECT_EQ(unnamed, (std::vector<std::string>{"DRIVER  INSTALL  GUIDE", "Driver File Location :"}));
        EXPECT_TRUE(g_shellCalls.empty()) << c.name;
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(DriverDialogs, DownloadClosesTheGuideAndTriesTheBrowsersInTurn) {
    const std::string first = "open iexplore.exe www.zorv3d.example.com/zorv3d/drivers/index.html maximised";
    const std::string second = "open netscape.exe www.zorv3d.example.com/zorv3d/drivers/index.html maximised";
    // clang-format off
    struct Case {
        const char* name;
        INT_PTR iexplore, netscape;
        std::vector<std::string> tried;
        std::vector<std::string> messages;
    } cases[] = {
        {"first browser starts", 42, 42, {first}, {}},
        {"second browser starts", 2, 42, {first, second}, {}},
        {"32 is still a failure", 32, 33, {first, second}, {}},
        {"neither starts", 2, 31, {first, second}, {"Web browsers not find"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        g_shellCalls.clear();
        g_shellOwners.clear();
        g_messages.clear();
        g_iexploreResult = c.iexplore;
        g_netscapeResult = c.netscape;
        HWND guide = nullptr;
        DialogRun run = DriveDialog([&] { ShowDriverGuideDialog(nullptr, instance_, "x"); },
                                    [&](HWND dialog) {
                                        guide = dialog;
                                        Click(dialog, IDC_DRIVER_GUIDE_DOWNLOAD);
                                    });
        ASSERT_TRUE(run.seen) << c.name;
        EXPECT_FALSE(run.forcedClosed) << c.name;
        EXPECT_EQ(g_shellCalls, c.tried) << c.name;
        EXPECT_EQ(g_shellOwners, std::vector<HWND>(c.tried.size(), guide)) << c.name << ": owned by the guide";
        EXPECT_EQ(g_messages, c.messages) << c.name;
    }
}

TEST_F(DriverDialogs, InstalledShowsTheGlideNoteAndTheMakersAddress) {
    std::string note, ok;
    std::vector<std::string> unnamed;
    bool escapeLeftOpen = false;
    DialogRun run = DriveDialog([&] { ShowDriverInstalledDialog(nullptr, instance_); },
                                [&](HWND dialog) {
                                    note = ItemText(dialog, IDC_DRIVER_INSTALLED_NOTE);
                                    ok = ItemText(dialog, IDC_DRIVER_INSTALLED_OK);
                                    unnamed = UnnamedTexts(dialog);
                                    escapeLeftOpen = EscapeLeavesOpen(dialog);
                                    Click(dialog, IDC_DRIVER_INSTALLED_OK);
                                });
    ASSERT_TRUE(run.seen);
    EXPECT_FALSE(run.forcedClosed);
    EXPECT_TRUE(escapeLeftOpen);
    EXPECT_EQ(note, kGlideNote);
    EXPECT_EQ(note.size(), 170u);
    EXPECT_EQ(ok, "OK");
    EXPECT_EQ(unnamed, (std::vector<std::string>{"Driver installed correctly!", "www.3dcard-maker.example.com"}));
}

namespace {

class GameReport : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "zorv_report_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\Info").c_str(), nullptr);
        SetCurrentDirectoryA(dir_.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        DeleteFileA(LogPath().c_str());
        RemoveDirectoryA((dir_ + "\\Info").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    std::string LogPath() const { return dir_ + "\\Info\\proc.log"; }
    bool LogExists() const { return GetFileAttributesA(LogPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Written in text mode, as the game writes it: CR LF line ends.
    void WriteLog(const char* text) {
        FILE* log = std::fopen(LogPath().c_str(), "w");
        ASSERT_NE(log, nullptr);
        std::fputs(text, log);
        std::fclose(log);
    }
    char previous_[MAX_PATH] = {};
    std::string dir_;
};

}  // namespace

TEST_F(GameReport, EachLogGivesItsReportAndIsGoneAfterwards) {
    enum Expect { kNone, kEmpty, kCard, kCrash };
    // clang-format off
    struct Case { const char* name; const char* log; DWORD exitCode; Expect expect; } cases[] = {
        {"clean run", "0\n", 0, kNone},
        {"unknown then card", "5\n1\n", 0, kCard},
        {"unknown only: the last report's text is not kept", "5\n", 0, kEmpty},
        {"empty log", "", 0, kEmpty},
        {"a word is a clean run", "word\n", 0, kNone},
        {"1 followed by letters", "1abc\n", 0, kCard},
        {"blanks before the number", " \t 1\n", 0, kCard},
        {"empty lines passed over", "\n\n0\n", 0, kNone},
        {"no log at all", nullptr, 0, kNone},
        {"no log, an ordinary exit code", nullptr, 0xBFFFFFFF, kNone},
        {"no log after a crash", nullptr, 0xC0000005, kCrash},
        {"no log after a crash: the last report's text is not kept", nullptr, 0xC000001D, kCrash},
        {"a crash's log keeps its meaning", "0\n", 0xC0000005, kNone},
        {"a crash's log keeps its meaning: card", "1\n", 0xC0000409, kCard},
    };
    // clang-format on
    for (const Case& c : cases) {
        if (c.log) WriteLog(c.log);
        std::string text;
        bool existedWhileOpen = false;
        bool escapeLeftOpen = false;
        DialogRun run = DriveDialog([&] { RunErrorLogStep(c.exitCode); },
                                    [&](HWND dialog) {
                                        text = ItemText(dialog, IDC_GAME_ERROR_TEXT);
                                        existedWhileOpen = LogExists();
                                        escapeLeftOpen = EscapeLeavesOpen(dialog);
                                        Click(dialog, IDC_GAME_ERROR_OK);
                                    });
        EXPECT_EQ(run.seen, c.expect != kNone) << c.name;
        EXPECT_FALSE(LogExists()) << c.name;
        if (c.expect == kNone) continue;
        EXPECT_EQ(text, c.expect == kCard    ? kThreeDCardMessage
                        : c.expect == kCrash ? CrashReportText(c.exitCode)
                                             : "")
            << c.name;
        EXPECT_EQ(existedWhileOpen, c.log != nullptr) << c.name << ": deleted when the report closes";
        EXPECT_TRUE(escapeLeftOpen) << c.name;
        EXPECT_FALSE(run.forcedClosed) << c.name;
    }
}
