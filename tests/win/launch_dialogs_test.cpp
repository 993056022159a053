// The game launch's dialogs run for real: a helper thread finds the dialog that the test thread
// opened, reads it and presses its keys and buttons, while the modal loop runs on the test thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "graphics/message_box_win.h"
#include "launch/driver_dialogs_win.h"
#include "launch/game_log.h"
#include "launch/game_log_win.h"
#include "resource_ids.h"

using namespace zorv;

namespace {

constexpr DWORD kDialogWait = 10000;
constexpr DWORD kSettleMs = 200;

BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM out) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

HWND FindDialogOfThread(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `open` (a modal dialog) on this thread while `script` drives the first dialog this thread
// shows, from a helper thread. A dialog the script left open is ended after a while, so that a
// fault fails the test instead of holding it. Returns whether a dialog was seen.
bool DriveDialog(const std::function<void()>& open, const std::function<void(HWND)>& script,
                 bool* leftOpen = nullptr) {
    const DWORD self = GetCurrentThreadId();
    std::atomic<bool> returned{false};
    bool seen = false;
    bool forced = false;
    std::thread helper([&] {
        HWND dialog = nullptr;
        for (DWORD start = GetTickCount(); !returned && GetTickCount() - start < kDialogWait; Sleep(10)) {
            if ((dialog = FindDialogOfThread(self))) break;
        }
        if (!dialog) return;
        seen = true;
        // Act as a player would, once the window has been put on the screen; a window that
        // Wine destroys in the same moment it maps it can take the process down with an X error.
        Sleep(kSettleMs);
        script(dialog);
        for (int i = 0; i < 300 && !returned && IsWindow(dialog); ++i) Sleep(10);
        if (!returned && IsWindow(dialog)) {
            forced = true;
            EndDialog(dialog, -1);
        }
    });
    open();
    returned = true;
    helper.join();
    if (leftOpen) *leftOpen = forced;
    return seen;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

// Texts of the controls without an identifier, in template order.
std::vector<std::string> UnnamedTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (LOWORD(GetDlgCtrlID(child)) == 0xFFFF) texts.push_back(TextOf(child));
    }
    return texts;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressKey(HWND dialog, UINT key, UINT scanCode) {
    LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    PostMessageA(dialog, WM_KEYDOWN, key, down);
    PostMessageA(dialog, WM_KEYUP, key, down | (1u << 30) | (1u << 31));
}

// Whether the dialog is still up after its loop has had time to handle what was posted.
bool StaysOpen(HWND dialog) {
    Sleep(250);
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

// A control's place in the dialog, as the template gives it in dialog units.
struct Placed {
    int id;
    int x, y, width, height;  // width 0: an icon, which takes the icon's own size
    const char* text;         // null: not checked
};

// What one look at a dialog found, compared after the helper thread is done.
struct Seen {
    std::vector<std::string> faults;
    std::vector<std::string> unnamed;
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    RECT window = {};
    POINT client = {};         // the client area's origin on the screen
    RECT templateOrigin = {};  // (x, y) of the template in pixels
};

Seen Look(HWND dialog, const std::vector<Placed>& controls, int templateX, int templateY) {
    Seen seen;
    seen.style = GetWindowLongPtrA(dialog, GWL_STYLE);
    seen.exStyle = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
    GetWindowRect(dialog, &seen.window);
    ClientToScreen(dialog, &seen.client);
    seen.templateOrigin = {templateX, templateY, templateX, templateY};
    MapDialogRect(dialog, &seen.templateOrigin);
    seen.unnamed = UnnamedTexts(dialog);
    for (const Placed& c : controls) {
        std::string name = "control " + std::to_string(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        if (!control) {
            seen.faults.push_back(name + " missing");
            continue;
        }
        // The dialog manager converts the position and the size each on its own.
        RECT expected = {c.x, c.y, c.width, c.height};
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        bool sizeOk = c.width == 0 || (actual.right - actual.left == expected.right &&
                                       actual.bottom - actual.top == expected.bottom);
        if (actual.left != expected.left || actual.top != expected.top || !sizeOk) {
            seen.faults.push_back(name + " misplaced");
        }
        if (c.text && TextOf(control) != c.text) seen.faults.push_back(name + " text \"" + TextOf(control) + "\"");
        char kind[16] = {};
        GetClassNameA(control, kind, sizeof kind);
        if (lstrcmpiA(kind, "Button") == 0) {
            LONG_PTR buttonStyle = GetWindowLongPtrA(control, GWL_STYLE);
            if (!(GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_STATICEDGE)) seen.faults.push_back(name + " edge");
            if ((buttonStyle & BS_CENTER) != BS_CENTER) seen.faults.push_back(name + " not centred");
        }
    }
    return seen;
}

bool IsDefaultButton(HWND dialog, int id) {
    return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// The message dialogs share one frame: no caption, system-modal, a sunken client edge.
void ExpectMessageDialogFrame(const Seen& seen) {
    EXPECT_EQ(seen.style & WS_CAPTION, 0) << "no caption";
    EXPECT_TRUE(seen.style & DS_SYSMODAL);
    EXPECT_TRUE(seen.style & DS_MODALFRAME);
    EXPECT_TRUE(seen.exStyle & WS_EX_CLIENTEDGE);
}

// A plain top-level window standing in for the menu window that owns the dialogs.
class OwnerWindow {
public:
    OwnerWindow() {
        window_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 40, 30, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }
    POINT ClientOrigin() const {
        POINT origin = {0, 0};
        ClientToScreen(window_, &origin);
        return origin;
    }

private:
    HWND window_;
};

// The shell stand-in: records every call and answers with the result set per program.
struct ShellCall {
    HWND owner;
    std::string verb, file, parameters;
    bool directory;
    int show;
};
std::vector<ShellCall> g_shellCalls;
INT_PTR g_iexploreResult = 2;   // SE_ERR_FNF
INT_PTR g_netscapeResult = 2;
std::vector<std::string> g_messages;

HINSTANCE WINAPI FakeShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                  INT show) {
    g_shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters ? parameters : "",
                            directory != nullptr, show});
    INT_PTR result = lstrcmpA(file, "iexplore.exe") == 0 ? g_iexploreResult : g_netscapeResult;
    return reinterpret_cast<HINSTANCE>(result);
}

void CollectMessage(const char* text) { g_messages.push_back(text); }

class LaunchDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        g_shellCalls.clear();
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

TEST_F(LaunchDialogs, DriverCheckAnswersOnlyThroughItsTwoButtons) {
    enum Action { kEscapeThenEnter, kEnter, kLater, kStart };
    struct Case { const char* name; Action action; int before; int answer; } cases[] = {
        {"Escape does nothing, then Enter", kEscapeThenEnter, 0, 1},
        {"Enter is the default button", kEnter, 0, 1},
        {"after setting the driver", kLater, 1, 0},
        {"by current driver", kStart, 0, 1},
    };
    for (const Case& c : cases) {
        SetDriverAnswer(c.before);
        bool escapeClosed = false;
        bool leftOpen = false;
        bool defaultButton = false;
        Seen seen;
        bool shown = DriveDialog(
            [&] { ShowDriverCheckDialog(nullptr, instance_); },
            [&](HWND dialog) {
                seen = Look(dialog,
                            {{IDC_DRIVER_CHECK_ICON, 7, 13, 0, 0, nullptr},
                             {IDC_DRIVER_CHECK_START, 7, 63, 181, 17, "Start the game by current OpenGL driver."},
                             {IDC_DRIVER_CHECK_LATER, 7, 86, 181, 17, "Start the game after setting OpenGL driver."}},
                            0, 0);
                defaultButton = IsDefaultButton(dialog, IDC_DRIVER_CHECK_START);
                switch (c.action) {
                case kEscapeThenEnter:
                    PressKey(dialog, VK_ESCAPE, 0x01);
                    escapeClosed = !StaysOpen(dialog);
                    PressKey(dialog, VK_RETURN, 0x1C);
                    break;
                case kEnter: PressKey(dialog, VK_RETURN, 0x1C); break;
                case kLater: Click(dialog, IDC_DRIVER_CHECK_LATER); break;
                case kStart: Click(dialog, IDC_DRIVER_CHECK_START); break;
                }
            },
            &leftOpen);
        ASSERT_TRUE(shown) << c.name;
        EXPECT_FALSE(escapeClosed) << c.name;
        EXPECT_FALSE(leftOpen) << c.name;
        EXPECT_EQ(DriverAnswer(), c.answer) << c.name;
        EXPECT_TRUE(defaultButton) << c.name;
        EXPECT_EQ(seen.faults, std::vector<std::string>{}) << c.name;
        EXPECT_EQ(seen.unnamed, (std::vector<std::string>{
                                    "Check if the OpenGL driver is installed correctly.",
                                    "You can set the OpenGL driver  in the Option Menu, Video Calibration."}))
            << c.name;
        ExpectMessageDialogFrame(seen);
        // Centred on the screen.
        int centreX = (seen.window.left + seen.window.right) / 2;
        int centreY = (seen.window.top + seen.window.bottom) / 2;
        EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << c.name;
        EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << c.name;
    }
}

TEST_F(LaunchDialogs, DriverGuideShowsTheLocationCutToItsBuffer) {
    const std::string longLocation = "C:\\" + std::string(150, 'd');
    struct Case { const char* name; const char* location; std::string shown; } cases[] = {
        {"a folder", ".\\Driver\\Card", ".\\Driver\\Card"},
        {"empty", "", ""},
        {"none", nullptr, ""},
        {"longer than 99", longLocation.c_str(), longLocation.substr(0, 99)},
    };
    OwnerWindow owner;
    for (const Case& c : cases) {
        std::string location;
        bool escapeClosed = false;
        bool leftOpen = false;
        Seen seen;
        bool shown = DriveDialog(
            [&] { ShowDriverGuideDialog(owner.get(), instance_, c.location); },
            [&](HWND dialog) {
                location = ItemText(dialog, IDC_DRIVER_GUIDE_LOCATION);
                seen = Look(dialog,
                            {{IDC_DRIVER_GUIDE_ICON, 11, 23, 0, 0, nullptr},
                             {IDC_DRIVER_GUIDE_TEXT, 31, 31, 155, 9, "Please, install  OpenGL driver in your system."},
                             {IDC_DRIVER_GUIDE_LOCATION, 15, 59, 166, 20, nullptr},
                             {IDC_DRIVER_GUIDE_DOWNLOAD, 29, 87, 62, 17, "Download"},
                             {IDC_DRIVER_GUIDE_CANCEL, 105, 87, 62, 17, "Cancel"}},
                            80, 50);
                PressKey(dialog, VK_ESCAPE, 0x01);
                escapeClosed = !StaysOpen(dialog);
                Click(dialog, IDC_DRIVER_GUIDE_CANCEL);
            },
            &leftOpen);
        ASSERT_TRUE(shown) << c.name;
        EXPECT_EQ(location, c.shown) << c.name;
        EXPECT_FALSE(escapeClosed) << c.name;
        EXPECT_FALSE(leftOpen) << c.name;
        EXPECT_EQ(seen.faults, std::vector<std::string>{}) << c.name;
        EXPECT_EQ(seen.unnamed, (std::vector<std::string>{"DRIVER  INSTALL  GUIDE", "Driver File Location :"}));
        ExpectMessageDialogFrame(seen);
        // Placed from the owner's client area, not centred.
        POINT origin = owner.ClientOrigin();
        EXPECT_EQ(seen.client.x, origin.x + seen.templateOrigin.left) << c.name;
        EXPECT_EQ(seen.client.y, origin.y + seen.templateOrigin.top) << c.name;
        EXPECT_TRUE(g_shellCalls.empty()) << c.name << ": Cancel starts no browser";
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(LaunchDialogs, DownloadClosesTheGuideAndTriesTheBrowsersInTurn) {
    struct Case {
        const char* name;
        INT_PTR iexplore, netscape;
        std::vector<std::string> tried;
        std::vector<std::string> messages;
    } cases[] = {
        {"first browser starts", 42, 42, {"iexplore.exe"}, {}},
        {"second browser starts", 2, 42, {"iexplore.exe", "netscape.exe"}, {}},
        {"32 is still a failure", 32, 33, {"iexplore.exe", "netscape.exe"}, {}},
        {"neither starts", 2, 31, {"iexplore.exe", "netscape.exe"}, {"Web browsers not find"}},
    };
    for (const Case& c : cases) {
        g_shellCalls.clear();
        g_messages.clear();
        g_iexploreResult = c.iexplore;
        g_netscapeResult = c.netscape;
        HWND guide = nullptr;
        bool leftOpen = false;
        bool shown = DriveDialog([&] { ShowDriverGuideDialog(nullptr, instance_, "x"); },
                                 [&](HWND dialog) {
                                     guide = dialog;
                                     Click(dialog, IDC_DRIVER_GUIDE_DOWNLOAD);
                                 },
                                 &leftOpen);
        ASSERT_TRUE(shown) << c.name;
        EXPECT_FALSE(leftOpen) << c.name;
        std::vector<std::string> tried;
        for (const ShellCall& call : g_shellCalls) {
            tried.push_back(call.file);
            EXPECT_EQ(call.owner, guide) << c.name << ": owned by the guide dialog";
            EXPECT_EQ(call.verb, "open");
            EXPECT_EQ(call.parameters, "www.zorv3d.example.com/zorv3d/drivers/index.html");
            EXPECT_FALSE(call.directory);
            EXPECT_EQ(call.show, SW_SHOWMAXIMIZED);
        }
        EXPECT_EQ(tried, c.tried) << c.name;
        EXPECT_EQ(g_messages, c.messages) << c.name;
    }
}

TEST_F(LaunchDialogs, BrowserLaunchReportsWhetherOneStarted) {
    g_iexploreResult = 2;
    g_netscapeResult = 2;
    EXPECT_EQ(LaunchDriverPage(nullptr), 0);
    EXPECT_EQ(g_messages, std::vector<std::string>{kNoBrowserMessage});
    g_netscapeResult = 33;
    EXPECT_EQ(LaunchDriverPage(nullptr), 1);
    EXPECT_EQ(g_messages.size(), 1u);
}

TEST_F(LaunchDialogs, DriverInstalledShowsTheGlideNoteAndTheMakersAddress) {
    OwnerWindow owner;
    bool escapeClosed = false;
    bool leftOpen = false;
    bool defaultButton = false;
    Seen seen;
    bool shown = DriveDialog(
        [&] { ShowDriverInstalledDialog(owner.get(), instance_); },
        [&](HWND dialog) {
            seen = Look(dialog,
                        {{IDC_DRIVER_INSTALLED_ICON, 11, 23, 0, 0, nullptr},
                         {IDC_DRIVER_INSTALLED_NOTE, 32, 20, 145, 36, kGlideNote},
                         {IDC_DRIVER_INSTALLED_OK, 63, 74, 62, 17, "OK"}},
                        80, 50);
            defaultButton = IsDefaultButton(dialog, IDC_DRIVER_INSTALLED_OK);
            PressKey(dialog, VK_ESCAPE, 0x01);
            escapeClosed = !StaysOpen(dialog);
            Click(dialog, IDC_DRIVER_INSTALLED_OK);
        },
        &leftOpen);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(escapeClosed);
    EXPECT_FALSE(leftOpen);
    EXPECT_TRUE(defaultButton);
    EXPECT_EQ(seen.faults, std::vector<std::string>{});
    EXPECT_EQ(seen.unnamed, (std::vector<std::string>{"Driver installed correctly!", "www.3dcard-maker.example.com"}));
    ExpectMessageDialogFrame(seen);
    POINT origin = owner.ClientOrigin();
    EXPECT_EQ(seen.client.x, origin.x + seen.templateOrigin.left);
    EXPECT_EQ(seen.client.y, origin.y + seen.templateOrigin.top);
    EXPECT_EQ(lstrlenA(kGlideNote), 170);
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
    enum Expect { kNone, kEmpty, kCard };
    struct Case { const char* name; const char* log; Expect expect; } cases[] = {
        {"clean run", "0\n", kNone},
        {"unknown then card", "5\n1\n", kCard},
        {"unknown only: the card text of the last run is not kept", "5\n", kEmpty},
        {"empty log", "", kEmpty},
        {"a word is a clean run", "word\n", kNone},
        {"1 followed by letters", "1abc\n", kCard},
        {"blanks before the number", " \t 1\n", kCard},
        {"empty line passed over", "\n\n0\n", kNone},
        {"no log at all", nullptr, kNone},
    };
    for (const Case& c : cases) {
        if (c.log) WriteLog(c.log);
        std::string text;
        bool existedWhileOpen = false;
        bool escapeClosed = false;
        bool leftOpen = false;
        bool shown = DriveDialog(
            [&] { RunErrorLogStep(); },
            [&](HWND dialog) {
                text = ItemText(dialog, IDC_GAME_ERROR_TEXT);
                existedWhileOpen = LogExists();
                PressKey(dialog, VK_ESCAPE, 0x01);
                escapeClosed = !StaysOpen(dialog);
                Click(dialog, IDC_GAME_ERROR_OK);
            },
            &leftOpen);
        EXPECT_EQ(shown, c.expect != kNone) << c.name;
        EXPECT_FALSE(LogExists()) << c.name;
        if (c.expect == kNone) continue;
        EXPECT_EQ(text, c.expect == kCard ? kThreeDCardMessage : "") << c.name;
        EXPECT_TRUE(existedWhileOpen) << c.name << ": deleted when the report closes";
        EXPECT_FALSE(escapeClosed) << c.name;
        EXPECT_FALSE(leftOpen) << c.name;
    }
}

TEST_F(GameReport, ReaderSaysWhetherToReport) {
    EXPECT_EQ(ReadGameLog(".\\Info\\Proc.log"), 0) << "missing";
    WriteLog("7\n1\n");
    EXPECT_EQ(ReadGameLog(".\\Info\\Proc.log"), 1);
    EXPECT_STREQ(GameReportText(), kThreeDCardMessage);
    EXPECT_TRUE(LogExists()) << "kept for the report to delete";
    WriteLog("0\n");
    EXPECT_EQ(ReadGameLog(".\\INFO\\PROC.LOG"), 0);
    EXPECT_FALSE(LogExists());
}
