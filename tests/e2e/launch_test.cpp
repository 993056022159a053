// Starting the game as the player does it, with the stand-in game as .\proc.exe: START GAME and
// NETWORK GAME leave the game-mode file for the game, the OpenGL driver question comes until the
// game has been started once, the front-end stays minimised while the game runs, the game's log
// is judged and reported, and the menu comes back centred for the screen size the game left.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zorv_e2e {
namespace {

// The stand-in game's window class.
constexpr char kGameWindowClass[] = "Zorv3D stand-in game";

constexpr char kStartNowText[] = "Start the game by current OpenGL driver.";
constexpr char kSetDriverFirstText[] = "Start the game after setting OpenGL driver.";
constexpr char kCardMessage[] =
    "Due to the installed 3D card not working properly, ZORV 3D is having trouble executing its "
    "program. Please check the video calibration for an appropriate 3D card.";
// The dialog flashed while the front-end comes back after a run; it closes itself.
constexpr char kMomentaryCaption[] = "Dialog";

constexpr char kGameStartError[] = "Game Program Start Error";

// From the press of a start button to the end of a stand-in game that was told not to linger.
constexpr DWORD kRunTimeout = 15000;
// Long enough that the stand-in game ends only when the test closes it.
constexpr char kStayUntilClosed[] = "stay=60000\n";

// The launch stamp for a UTC time: month, day, hour and minute, two colons apart.
std::string StampOf(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%d::%d::%d::%d", static_cast<int>(t.wMonth), static_cast<int>(t.wDay),
                  static_cast<int>(t.wHour), static_cast<int>(t.wMinute));
    return text;
}

// Bytes as the stand-in game writes them into its seen file: C-style escapes.
std::string Escaped(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default: out += c;
        }
    }
    return out;
}

// A dialog of the process other than the momentary one, described for a failure message.
std::string OtherDialogShowing(DWORD pid) {
    for (HWND dialog : TopLevelWindows(pid, kDialogClass)) {
        if (!IsWindowVisible(dialog) || TextOf(dialog) == kMomentaryCaption) continue;
        std::string text = "a dialog \"" + TextOf(dialog) + "\"";
        if (GetDlgItem(dialog, IDC_GAME_ERROR_TEXT))
            text += " (the game error report: \"" + DialogItemText(dialog, IDC_GAME_ERROR_TEXT) + "\")";
        if (GetDlgItem(dialog, IDC_DRIVER_CHECK_START)) text += " (the driver check)";
        if (GetDlgItem(dialog, IDC_CONFIG_ERROR_TEXT)) text += " (the configuration-file error)";
        if (TextOf(dialog) == kMessageCaption) text += " (message \"" + MessageBoxText(dialog) + "\")";
        return text;
    }
    return std::string();
}

// The stand-in game while it runs: its window and its process.
class RunningGame {
public:
    RunningGame() = default;
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // Waits until the game's window shows; false at the deadline.
    bool WaitForStart(DWORD timeout_ms = kRunTimeout) {
        auto shown = [this] { return IsShown(window_ = FindWindowA(kGameWindowClass, nullptr)); };
        if (!WaitFor(shown, timeout_ms)) return false;
        process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(window_)));
        return static_cast<bool>(process_);
    }

    HWND window() const { return window_; }

    // Closes the game's window, which ends the game the way demo-game.ini says, and waits for the
    // process to end.
    ExitResult End(DWORD timeout_ms = kExitTimeout) {
        ExitResult result;
        PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), timeout_ms) == WAIT_OBJECT_0) {
            result.ended = GetExitCodeProcess(process_.get(), &result.code) != 0;
        }
        return result;
    }

private:
    HWND window_ = nullptr;
    zorv::KernelHandle process_;
};

// ---------------------------------------------------------------------------------------------

class LaunchTest : public GameTest {
protected:
    // The stand-in game's instructions for the next start.
    void GameWill(const std::string& instructions) { ASSERT_TRUE(folder().Write(kStandInInstructions, instructions)); }
    void SetFirstRunFlag(const char* bytes) { ASSERT_TRUE(folder().Write(kFirstRunFlagFile, bytes)); }

    HWND Frame() { return app().Frame(); }
    HWND Menu() { return app().Menu(); }

    void PressButton(const ButtonSpec& button) {
        const POINT p = Centre(button);
        Click(Menu(), p.x, p.y);
    }

    // Waits until the game has run and written what it saw; false at the deadline.
    bool WaitForGameSeen(DWORD timeout_ms = kRunTimeout) {
        return WaitFor([this] { return folder().Exists(kStandInReport); }, timeout_ms);
    }

    // The launch has returned to the menu: the frame is restored, the menu window is enabled and
    // answers messages again (while the game runs the front-end's only thread waits for it), no
    // game window shows, and the momentary dialog has come and gone. Any dialog other than the
    // momentary one fails at once.
    //
    // The momentary dialog's modal loop answers sent messages too, also after it has ended itself
    // and been hidden, and a dialog loop that has ended drops the next posted message it takes
    // (QUIT's close, for one). So the answer must come from the program's own loop: the frame
    // was restored before asking (the wait for the game is over), and after the answer no dialog
    // window exists, hidden or not (the loop it answered from is left behind).
    ::testing::AssertionResult WaitForMenuBack(DWORD timeout_ms = kRunTimeout) {
        std::string failure;
        auto back = [&] {
            std::string dialog = OtherDialogShowing(app().pid());
            if (!dialog.empty()) failure = "waiting for the menu to come back, " + dialog + " showed";
            if (failure.empty()) failure = app().EndedText();
            if (!failure.empty()) return true;
            HWND frame = Frame();
            HWND menu = Menu();
            return frame && !IsIconic(frame) && IsShown(menu) && IsWindowEnabled(menu) &&
                   !FindWindowA(kGameWindowClass, nullptr) && Answers(menu, 200) &&
                   TopLevelWindows(app().pid(), kDialogClass).empty();
        };
        if (WaitFor(back, timeout_ms) && failure.empty()) return ::testing::AssertionSuccess();
        if (!failure.empty()) return ::testing::AssertionFailure() << failure;
        HWND frame = Frame();
        return ::testing::AssertionFailure()
               << "the menu did not come back within " << timeout_ms << " ms (frame "
               << (frame && IsIconic(frame) ? "minimised" : "not minimised") << ", game window "
               << (FindWindowA(kGameWindowClass, nullptr) ? "showing" : "gone") << ")";
    }

    // QUIT on the main menu: the program ends by itself with code 0.
    void QuitFromMenu() {
        PressButton(kQuit);
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running " << kExitTimeout << " ms after QUIT";
        EXPECT_EQ(0u, exit.code);
    }

    // A start of the front-end from the same folder, as a double click on its icon: it hands over
    // to the running one and ends with code 0. The running one has then taken in what it was told.
    void StartAgain() {
        App second;
        ASSERT_TRUE(second.Start(folder().path()));
        const ExitResult exit = second.WaitForExit();
        ASSERT_TRUE(exit.ended) << "the second start is still running";
        EXPECT_EQ(0u, exit.code);
        EXPECT_TRUE(Answers(Frame()));
    }

    // Presses a start button with the first-run flag set and waits through a whole run of a game
    // that ends by itself and reports nothing.
    void RunQuietGame(const ButtonSpec& button) {
        folder().Delete(kStandInReport);
        PressButton(button);
        ASSERT_TRUE(WaitForGameSeen()) << "the game did not run";
        ASSERT_TRUE(WaitForMenuBack());
    }
};

// ---------------------------------------------------------------------------------------------
// The game-mode file

class LaunchGameMode : public LaunchTest {};

// The first-run flag file holds 7: any value but 0 counts as set, so no start asks the driver
// question, and a start makes it 1.
TEST_F(LaunchGameMode, StartAndNetworkGameWriteModeAndUtcStampBeforeTheGameRuns) {
    SetFirstRunFlag("7\r\n");
    GameWill("stay=0\n");
    ASSERT_TRUE(StartToMenu());

    const struct {
        const ButtonSpec& button;
        const char* mode;
    } presses[] = {{kStartGame, "0"}, {kNetworkGame, "1"}};
    for (const auto& press : presses) {
        SCOPED_TRACE(NameOf(press.button));
        folder().Delete(kStandInReport);
        SYSTEMTIME before;
        GetSystemTime(&before);
        PressButton(press.button);
        ASSERT_TRUE(WaitForGameSeen()) << "the game did not run";
        SYSTEMTIME after;
        GetSystemTime(&after);

        bool found = false;
        const std::string bytes = folder().Read(kGameModeFile, &found);
        ASSERT_TRUE(found);
        // The minute may turn between the press and the game's end.
        const std::string expected_before = std::string(press.mode) + "\r\n" + StampOf(before) + "\r\n";
        const std::string expected_after = std::string(press.mode) + "\r\n" + StampOf(after) + "\r\n";
        EXPECT_TRUE(bytes == expected_before || bytes == expected_after)
            << "GameMode.dat holds \"" << Escaped(bytes) << "\", expected \"" << Escaped(expected_before) << "\" or \""
            << Escaped(expected_after) << "\"";
        EXPECT_NE(std::string::npos, folder().Read(kStandInReport).find("gamemode.dat=\"" + Escaped(bytes) + "\""))
            << "the game did not see the file; it saw:\n"
            << folder().Read(kStandInReport);
        ASSERT_TRUE(WaitForMenuBack());
    }
    QuitFromMenu();
    EXPECT_EQ("1\r\n", folder().Read(kFirstRunFlagFile));
}

// ---------------------------------------------------------------------------------------------
// The driver check before the first start

class LaunchDriverCheck : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        // Without its line end, so that the rewrite at close shows.
        SetFirstRunFlag("0");
        GameWill("stay=0\n");
    }

    // Presses START GAME and waits for the driver check, which must come while the front-end is
    // still showing, after the game-mode file was written and before the game starts.
    HWND PressStartAndExpectDriverCheck() {
        folder().Delete(kGameModeFile);
        folder().Delete(kStandInReport);
        PressButton(kStartGame);
        HWND dialog = WaitForDialogWith(app().pid(), IDC_DRIVER_CHECK_START);
        if (!dialog) {
            ADD_FAILURE() << "no driver check dialog; " << OtherDialogShowing(app().pid());
            return nullptr;
        }
        EXPECT_FALSE(IsIconic(Frame())) << "the frame was minimised before the driver was confirmed";
        EXPECT_TRUE(folder().Exists(kGameModeFile)) << "GameMode.dat is written before the question";
        EXPECT_FALSE(FindWindowA(kGameWindowClass, nullptr)) << "the game started before the answer";
        EXPECT_TRUE(ShowsOnScreen(dialog));
        EXPECT_EQ(kStartNowText, DialogItemText(dialog, IDC_DRIVER_CHECK_START));
        EXPECT_EQ(kSetDriverFirstText, DialogItemText(dialog, IDC_DRIVER_CHECK_LATER));
        return dialog;
    }

    void ExpectFlagAfterQuit(const char* bytes) {
        QuitFromMenu();
        bool found = false;
        EXPECT_EQ(bytes, folder().Read(kFirstRunFlagFile, &found));
        EXPECT_TRUE(found);
    }
};

TEST_F(LaunchDriverCheck, EnterStartsTheGameAndTheSecondStartAsksNothing) {
    GameWill(kStayUntilClosed);
    ASSERT_TRUE(StartToMenu());
    HWND dialog = PressStartAndExpectDriverCheck();
    ASSERT_TRUE(dialog);
    SaveArtifact(WholeScreen(), "launch-driver-check-over-menu");

    ASSERT_EQ("", SendKeysInFront(
                      dialog, {VK_RETURN}, [&] { return !IsWindow(dialog); }, kWindowTimeout))
        << "Enter did not close the driver check";
    RunningGame game;
    ASSERT_TRUE(game.WaitForStart()) << "Enter did not start the game; " << OtherDialogShowing(app().pid());
    EXPECT_TRUE(IsIconic(Frame())) << "the frame is not minimised while the game runs";
    ASSERT_TRUE(game.End().ended);
    ASSERT_TRUE(WaitForMenuBack());

    // Asked once: the next starts go straight to the game, here from the keyboard: Enter shows the
    // focus on START GAME, the button used last, and Enter starts it; then Left and Enter on
    // NETWORK GAME.
    GameWill("stay=0\n");
    for (const char* mode : {"0", "1"}) {
        SCOPED_TRACE(std::string("game mode ") + mode);
        folder().Delete(kStandInReport);
        ASSERT_TRUE(Activate(Menu()) && SendKeys({static_cast<WORD>(mode[0] == '0' ? VK_RETURN : VK_LEFT)}) &&
                    SendKeys({VK_RETURN}));
        ASSERT_TRUE(WaitForGameSeen()) << "the keys started no game";
        ASSERT_TRUE(WaitForMenuBack());
        EXPECT_EQ(mode, folder().Read(kGameModeFile).substr(0, 1));
    }
    ExpectFlagAfterQuit("1\r\n");
}

TEST_F(LaunchDriverCheck, EscapeDoesNothingAndStartWithCurrentDriverStartsTheGame) {
    ASSERT_TRUE(StartToMenu());
    HWND dialog = PressStartAndExpectDriverCheck();
    ASSERT_TRUE(dialog);

    ASSERT_TRUE(Activate(dialog)) << "the driver check cannot be made the foreground window";
    // From the keyboard, and once more straight to the dialog.
    ASSERT_TRUE(SendKeys({VK_ESCAPE}));
    PostKey(dialog, VK_ESCAPE);
    EXPECT_FALSE(WaitUntilGone(dialog, 1000)) << "Escape closed the driver check";
    EXPECT_FALSE(FindWindowA(kGameWindowClass, nullptr)) << "Escape started the game";
    EXPECT_FALSE(folder().Exists(kStandInReport)) << "Escape started the game";

    ASSERT_TRUE(ClickDialogButton(dialog, IDC_DRIVER_CHECK_START));
    ASSERT_TRUE(WaitForGameSeen()) << "the game did not start; " << OtherDialogShowing(app().pid());
    ASSERT_TRUE(WaitForMenuBack());
    ASSERT_NO_FATAL_FAILURE(RunQuietGame(kNetworkGame));
    ExpectFlagAfterQuit("1\r\n");
}

TEST_F(LaunchDriverCheck, SetDriverFirstStartsNothingAndTheNextPressAsksAgain) {
    ASSERT_TRUE(StartToMenu());
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE("press " + std::to_string(press));
        HWND dialog = PressStartAndExpectDriverCheck();
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(ClickDialogButton(dialog, IDC_DRIVER_CHECK_LATER));
        ASSERT_TRUE(WaitUntilGone(dialog));
        // Back at the menu without a run: had the game been started, the frame would be minimised
        // and the front-end would not answer until the game ended.
        ASSERT_TRUE(WaitForMenuBack());
        EXPECT_FALSE(folder().Exists(kStandInReport)) << "the game was started";
        EXPECT_TRUE(folder().Exists(kGameModeFile)) << "the game-mode file is written at every press";
    }
    ExpectFlagAfterQuit("0\r\n");
}

// ---------------------------------------------------------------------------------------------
// The run

class LaunchRun : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        SetFirstRunFlag("1");
    }

    // START GAME, the game told `will`; waits until the game's window shows.
    void StartGame(const std::string& will, RunningGame& game) {
        GameWill(will);
        ASSERT_TRUE(StartToMenu());
        PressButton(kStartGame);
        ASSERT_TRUE(game.WaitForStart()) << "the game did not start; " << OtherDialogShowing(app().pid());
    }
};

// A start of the front-end while the game runs leaves the game in front and the frame minimised
// until the game's report has been read.
TEST_F(LaunchRun, FrameIsMinimisedWhileTheGameRunsAndRestoredCentredAfterwards) {
    RunningGame game;
    ASSERT_NO_FATAL_FAILURE(StartGame(std::string(kStayUntilClosed) + "log=1\n", game));
    EXPECT_TRUE(IsIconic(Frame())) << "the frame is not minimised while the game runs";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == game.window(); }, kWindowTimeout));
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    EXPECT_FALSE(WaitFor([&] { return GetForegroundWindow() != game.window(); }, 1000))
        << "the second start took the game out of front";
    ExitResult exit = game.End();
    ASSERT_TRUE(exit.ended);
    EXPECT_EQ(0u, exit.code);

    HWND report = WaitForDialogWith(app().pid(), IDC_GAME_ERROR_TEXT);
    ASSERT_TRUE(report) << "no game error report; " << OtherDialogShowing(app().pid());
    EXPECT_TRUE(ShowsOnScreen(report));
    EXPECT_TRUE(IsIconic(Frame())) << "the frame came back before the report";
    ASSERT_TRUE(ClickDialogButton(report, IDC_GAME_ERROR_OK));
    ASSERT_TRUE(WaitUntilGone(report));
    ASSERT_TRUE(WaitForMenuBack());
    EXPECT_TRUE(IsShown(Frame()));
    const int x = ScreenWidth() / 2 - 320;
    const int y = ScreenHeight() / 2 - 240;
    const RECT centred{x, y, x + 640, y + 480};
    const RECT menu_after = WindowRectOf(Menu());
    EXPECT_TRUE(EqualRect(&menu_after, &centred)) << "menu window at " << RectText(menu_after);
    QuitFromMenu();
}

// A close from outside (End task, logoff) while the game runs ends the front-end at once, as QUIT
// would end it; the game runs on by itself.
TEST_F(LaunchRun, CloseFromOutsideWhileTheGameRunsEndsTheFrontEnd) {
    app().TraceWine(kHeapCheckChannels);
    RunningGame game;
    ASSERT_NO_FATAL_FAILURE(StartGame(kStayUntilClosed, game));
    SendNotifyMessageA(Frame(), WM_CLOSE, 0, 0);
    const ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended) << "the front-end still waits for the game";
    EXPECT_EQ(0u, exit.code);
    EXPECT_EQ("1\r\n", folder().Read(kFirstRunFlagFile));
    EXPECT_EQ("", app().WineTrace());
    EXPECT_TRUE(game.End().ended);
}

// The exit code 259 reads like "still running"; the ended process must still end the wait.
TEST_F(LaunchRun, GameEndingWithCode259IsSeenAsEnded) {
    RunningGame game;
    ASSERT_NO_FATAL_FAILURE(StartGame(std::string(kStayUntilClosed) + "exit=259\n", game));
    ExitResult exit = game.End();
    ASSERT_TRUE(exit.ended);
    ASSERT_EQ(259u, exit.code) << "the stand-in game did not end with the code it was given";
    ASSERT_TRUE(WaitForMenuBack(5000));
    QuitFromMenu();
}

// ---------------------------------------------------------------------------------------------
// The game's log, judged after each run

class LaunchGameLog : public LaunchTest {
protected:
    enum class Report { kNone, kEmpty, kCardMessage, kCrash };
    struct Case {
        const char* log;  // as the stand-in game's log= value: "\n" and "\t" are escapes
        Report report;
        bool crash = false;  // the game crashes with exception code 0xC0000005 after writing it
    };

    void SetUp() override {
        LaunchTest::SetUp();
        SetFirstRunFlag("1");
    }

    // One run per log, all in one program run: each log gives its report or none, and is gone
    // once the menu is back.
    void ExpectReports(const std::vector<Case>& cases, const char* screenshot = nullptr) {
        ASSERT_TRUE(StartToMenu());
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string("log=") + c.log);
            GameWill(std::string("stay=0\nlog=") + c.log + "\n" + (c.crash ? "crash=C0000005\n" : ""));
            if (HasFatalFailure()) return;
            folder().Delete(kStandInReport);
            PressButton(kStartGame);
            ASSERT_TRUE(WaitForGameSeen()) << "the game did not run";
            if (c.report != Report::kNone) {
                HWND report = WaitForDialogWith(app().pid(), IDC_GAME_ERROR_TEXT);
                ASSERT_TRUE(report) << "no game error report; " << OtherDialogShowing(app().pid());
                EXPECT_TRUE(IsIconic(Frame())) << "the report shows after the frame was restored";
                EXPECT_TRUE(ShowsOnScreen(report));
                EXPECT_EQ(c.report == Report::kCardMessage ? kCardMessage
                          : c.report == Report::kCrash     ? "The game stopped unexpectedly (error code 0xC0000005)."
                                                           : "",
                          DialogItemText(report, IDC_GAME_ERROR_TEXT));
                if (screenshot) {
                    SaveArtifact(WholeScreen(), screenshot);
                    screenshot = nullptr;
                }
                ASSERT_TRUE(ClickDialogButton(report, IDC_GAME_ERROR_OK));
                ASSERT_TRUE(WaitUntilGone(report));
            }
            ASSERT_TRUE(WaitForMenuBack());
            EXPECT_FALSE(folder().Exists(kGameLog)) << "the log is still there";
        }
        QuitFromMenu();
    }
};

TEST_F(LaunchGameLog, CleanRunWordOrNoLogReportsNothing) {
    ExpectReports({{"0", Report::kNone},
                   {"word", Report::kNone},  // not a number: code 0
                   {"  \\t 0", Report::kNone},
                   {"none", Report::kNone}});  // the stand-in game writes no log at all
}

TEST_F(LaunchGameLog, CardFailureReportsTheCardMessage) {
    ExpectReports({{"5\\n1", Report::kCardMessage},
                   {"1abc", Report::kCardMessage},
                   {"   \\t 7\\n1", Report::kCardMessage},
                   {" \\t\\n1", Report::kCardMessage}},  // a line without a token is passed over
                  "launch-game-error-report");
}

TEST_F(LaunchGameLog, CrashWithoutALogIsReportedWithItsCodeAndALogKeepsItsMeaning) {
    ExpectReports({{"none", Report::kCrash, true}, {"0", Report::kNone, true}});
}

TEST_F(LaunchGameLog, UnknownCodeOrEmptyLogReportsAnEmptyText) {
    ExpectReports({{"5", Report::kEmpty}, {"", Report::kEmpty}});
}

// ---------------------------------------------------------------------------------------------
// Launches that cannot go ahead

class LaunchFailure : public LaunchTest {};

TEST_F(LaunchFailure, MissingGameIsToldAfterRestoringAndTheMenuStaysLive) {
    SetFirstRunFlag("0");
    ASSERT_TRUE(folder().Delete(kGameProgram));
    ASSERT_TRUE(StartToMenu());
    PressButton(kStartGame);
    HWND check = WaitForDialogWith(app().pid(), IDC_DRIVER_CHECK_START);
    ASSERT_TRUE(check) << "no driver check dialog; " << OtherDialogShowing(app().pid());
    EXPECT_TRUE(ShowsOnScreen(check));
    ASSERT_TRUE(ClickDialogButton(check, IDC_DRIVER_CHECK_START));

    HWND box = WaitForMessageBox(app().pid());
    ASSERT_TRUE(box) << "no message box; " << OtherDialogShowing(app().pid());
    EXPECT_FALSE(IsIconic(Frame())) << "the frame is still minimised under the message";
    EXPECT_TRUE(ShowsOnScreen(box));
    EXPECT_EQ(kGameStartError, MessageBoxText(box));
    // A start of the front-end meanwhile leaves the box in front: the player still sees it.
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    const RECT place = WindowRectOf(box);
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_FALSE(WaitFor([&] { return GetAncestor(WindowFromPoint(centre), GA_ROOT) != box; }, 1000))
        << "the box was hidden";
    ASSERT_TRUE(DismissMessageBox(box));
    ASSERT_TRUE(WaitForMenuBack());
    EXPECT_TRUE(folder().Exists(kGameModeFile));

    QuitFromMenu();
    EXPECT_EQ("1\r\n", folder().Read(kFirstRunFlagFile)) << "the first-run flag is set before the start is tried";
}

// Under Wine run as root the read-only attribute stops no writer; the program's saver checks it.
TEST_F(LaunchFailure, ReadOnlyGameModeFileEndsTheProgramBeforeAnyStart) {
    SetFirstRunFlag("0");
    ASSERT_TRUE(folder().Write(kGameModeFile, "earlier\r\n"));
    ASSERT_TRUE(folder().SetReadOnly(kGameModeFile));
    ASSERT_TRUE(StartToMenu());
    PressButton(kStartGame);

    HWND dialog = WaitForDialogWith(app().pid(), IDC_CONFIG_ERROR_TEXT);
    ASSERT_TRUE(dialog) << "no configuration-file error; " << OtherDialogShowing(app().pid());
    EXPECT_EQ(folder().PathOf(kGameModeFile), DialogItemText(dialog, IDC_CONFIG_ERROR_TEXT));
    EXPECT_FALSE(FindDialogWith(app().pid(), IDC_DRIVER_CHECK_START)) << "the driver check came first";
    EXPECT_FALSE(IsIconic(Frame()));
    EXPECT_TRUE(ShowsOnScreen(dialog));
    ASSERT_TRUE(ClickDialogButton(dialog, IDC_CONFIG_ERROR_OK));

    ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended) << "the program is still running after OK";
    EXPECT_EQ(1u, exit.code);
    EXPECT_FALSE(folder().Exists(kStandInReport)) << "the game was started";
    EXPECT_EQ("earlier\r\n", folder().Read(kGameModeFile));
}

// ---------------------------------------------------------------------------------------------
// Re-centring for the screen size the game leaves
//
// A plain X server cannot change its mode under Wine, but a Wine virtual desktop can. So this
// test starts itself again inside a virtual desktop of the current screen's size (explorer
// /desktop=...) and reads the inner run's result file. Inside, the stand-in game switches to
// 640x480; afterwards the menu window must sit at (0,0)-(640,480).
//
// Wine keeps one cache of the screen size for all desktops: the last mode set anywhere is what
// every process sees. The inner run therefore puts the mode back whatever happens, and the outer
// run checks that the screen size is the one it started with.

constexpr char kRecentreDesktop[] = "zorv_recentre";
constexpr DWORD kDesktopRunTimeout = 45000;

std::string ThreadDesktopName() {
    char name[256] = {};
    DWORD needed = 0;
    if (!GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name - 1, &needed)) {
        return std::string();
    }
    return name;
}

// The value of an attribute of the XML element that starts at `from`; "" when it has none.
std::string AttributeAfter(const std::string& xml, size_t from, const std::string& attribute) {
    size_t end_of_tag = xml.find('>', from);
    size_t at = xml.find(" " + attribute + "=\"", from);
    if (at == std::string::npos || at > end_of_tag) return std::string();
    at += attribute.size() + 3;
    return xml.substr(at, xml.find('"', at) - at);
}

// Runs this very test inside a virtual desktop and judges it by its XML result.
::testing::AssertionResult RunInsideVirtualDesktop(const std::string& result_path) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    const std::string test = CurrentTestName();
    std::string command = std::string("explorer.exe /desktop=") + kRecentreDesktop + "," +
                          std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()) + " \"" + exe +
                          "\" --gtest_filter=" + test + " \"--gtest_output=xml:" + result_path + "\"";

    // Everything started on the way belongs to the job and ends with it.
    zorv::KernelHandle job(CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job) SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &info)) {
        return ::testing::AssertionFailure() << "cannot start " << command << ", error " << GetLastError();
    }
    zorv::KernelHandle process(info.hProcess), thread(info.hThread);
    if (job) AssignProcessToJobObject(job.get(), info.hProcess);
    ResumeThread(info.hThread);
    const bool ended = WaitForSingleObject(info.hProcess, kDesktopRunTimeout) == WAIT_OBJECT_0;
    if (!ended) {
        if (job) TerminateJobObject(job.get(), 1);
        TerminateProcess(info.hProcess, 1);
    }
    // Whatever of the run is left ends with the job, before its result is read.
    process.reset();
    job.reset();
    if (!ended) {
        return ::testing::AssertionFailure()
               << "the run inside the virtual desktop did not end within " << kDesktopRunTimeout << " ms: " << command;
    }

    std::string xml;
    if (!ReadWholeFile(result_path, &xml)) {
        return ::testing::AssertionFailure() << "the run inside the virtual desktop left no result: " << command;
    }
    const std::string name = test.substr(test.find('.') + 1);
    size_t testcase = xml.find("<testcase name=\"" + name + "\"");
    if (testcase == std::string::npos) {
        return ::testing::AssertionFailure() << "the test did not run inside the virtual desktop:\n" << xml;
    }
    const std::string status = AttributeAfter(xml, testcase, "status");
    const std::string result = AttributeAfter(xml, testcase, "result");
    // Only this test ran: its element reaches to the end of the suite.
    const size_t end = xml.find("</testsuite>", testcase);
    const bool failed = xml.substr(testcase, end - testcase).find("<failure") != std::string::npos;
    if (status != "run" || failed || (!result.empty() && result != "completed")) {
        return ::testing::AssertionFailure()
               << "inside the virtual desktop (status \"" << status << "\", result \"" << result << "\"):\n"
               << xml.substr(testcase, end == std::string::npos ? std::string::npos : end - testcase);
    }
    return ::testing::AssertionSuccess();
}

class LaunchRecentre : public LaunchTest {
protected:
    static bool Inside() { return ThreadDesktopName() == kRecentreDesktop; }

    void SetUp() override {
        LaunchTest::SetUp();
        if (Inside()) ChangeDisplaySettingsA(nullptr, 0);
    }
    void TearDown() override {
        LaunchTest::TearDown();
        if (Inside()) ChangeDisplaySettingsA(nullptr, 0);
    }
};

TEST_F(LaunchRecentre, MenuIsCentredForTheScreenSizeTheGameLeaves) {
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    if (!Inside()) {
        if (width <= 640 || height <= 480) GTEST_SKIP() << "needs a screen larger than 640x480";
        EXPECT_TRUE(RunInsideVirtualDesktop(folder().PathOf("recentre-result.xml")));
        EXPECT_EQ(width, ScreenWidth()) << "the screen size was not put back";
        EXPECT_EQ(height, ScreenHeight()) << "the screen size was not put back";
        return;
    }

    SetFirstRunFlag("1");
    GameWill(std::string(kStayUntilClosed) + "resize=640x480\n");
    ASSERT_TRUE(StartToMenu());
    const RECT before = WindowRectOf(Menu());
    const RECT centred_before{width / 2 - 320, height / 2 - 240, width / 2 + 320, height / 2 + 240};
    ASSERT_TRUE(EqualRect(&before, &centred_before)) << "menu window at " << RectText(before);

    PressButton(kStartGame);
    RunningGame game;
    ASSERT_TRUE(game.WaitForStart()) << "the game did not start; " << OtherDialogShowing(app().pid());
    ASSERT_TRUE(WaitFor([] { return ScreenWidth() == 640 && ScreenHeight() == 480; }, kWindowTimeout))
        << "the game could not change the screen to 640x480; it is " << ScreenWidth() << "x" << ScreenHeight();
    // The mode change alone leaves the menu window where it was, so a move afterwards is the
    // front-end's own.
    const RECT during = WindowRectOf(Menu());
    EXPECT_TRUE(EqualRect(&during, &before)) << "the mode change moved the menu window to " << RectText(during);
    ASSERT_TRUE(game.End().ended);
    ASSERT_TRUE(WaitForMenuBack());

    const RECT centred{0, 0, 640, 480};
    RECT after{};
    WaitFor([&] { return EqualRect(&(after = WindowRectOf(Menu())), &centred) != 0; }, kWindowTimeout);
    EXPECT_TRUE(EqualRect(&after, &centred)) << "menu window at " << RectText(after) << " on a 640x480 screen";
    EXPECT_FALSE(IsIconic(Frame()));
    EXPECT_NE(std::string::npos, folder().Read(kStandInReport).find("resize=\"640x480 done"))
        << folder().Read(kStandInReport);
    SaveArtifact(WholeScreen(), "launch-recentred-640x480");
    QuitFromMenu();
}

}  // namespace
}  // namespace zorv_e2e
