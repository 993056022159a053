// Start-up and shutdown of zorv3d.exe as the player sees them: where the two windows sit, what
// the screen shows, how a damaged frame picture is reported, what a second start from the same
// folder does, and how the program closes.
#include "driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/key_buttons.h"

namespace zorv_e2e {
namespace {

// Where the menu window belongs on the current screen: 640x480, centred with the centre's
// coordinates truncated toward zero.
RECT ExpectedMenuRect() {
    int x = ScreenWidth() / 2 - 320;
    int y = ScreenHeight() / 2 - 240;
    return RECT{x, y, x + 640, y + 480};
}

// Points of the frame's client area that the menu window does not cover: its corners, the
// middle of each band around the menu window, and the points diagonally next to the menu
// window's corners. Empty when the menu window covers the whole frame.
std::vector<POINT> FramePointsOutsideMenu(const RECT& frame, const RECT& menu) {
    const int midx = (frame.left + frame.right) / 2;
    const int midy = (frame.top + frame.bottom) / 2;
    std::vector<POINT> candidates = {{frame.left, frame.top},
                                     {frame.right - 1, frame.top},
                                     {frame.left, frame.bottom - 1},
                                     {frame.right - 1, frame.bottom - 1},
                                     {(frame.left + menu.left) / 2, midy},
                                     {(menu.right + frame.right) / 2, midy},
                                     {midx, (frame.top + menu.top) / 2},
                                     {midx, (menu.bottom + frame.bottom) / 2},
                                     {menu.left - 1, menu.top - 1},
                                     {menu.right, menu.top - 1},
                                     {menu.left - 1, menu.bottom},
                                     {menu.right, menu.bottom}};
    std::vector<POINT> outside;
    for (const POINT& p : candidates) {
        if (PtInRect(&frame, p) && !PtInRect(&menu, p)) outside.push_back(p);
    }
    return outside;
}

// Some pixel of the menu window's client area on a coarse grid is not black. Waits, since the
// first paint may land a moment after the window shows.
::testing::AssertionResult MenuShowsAPicture(HWND menu, DWORD timeout_ms = 5000) {
    RECT on_screen{};
    auto lit = [&] {
        on_screen = ClientRectOnScreen(menu);
        ScreenCapture shot(on_screen);
        const int width = on_screen.right - on_screen.left;
        const int height = on_screen.bottom - on_screen.top;
        for (int gy = 1; gy < 8; ++gy) {
            for (int gx = 1; gx < 8; ++gx) {
                COLORREF c = shot.Pixel(on_screen.left + width * gx / 8, on_screen.top + height * gy / 8);
                if (c != CLR_INVALID && !IsBlack(c)) return true;
            }
        }
        return false;
    };
    if (WaitFor(lit, timeout_ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "all 49 sampled pixels of the menu window " << RectText(on_screen)
                                         << " are black";
}

// A normal close: the process ends by itself, soon, with code 0.
void ExpectNormalShutdown(App& app) {
    ExitResult exit = app.WaitForExit();
    ASSERT_TRUE(exit.ended) << "the program is still running " << kExitTimeout << " ms after closing";
    EXPECT_EQ(0u, exit.code);
}

// ---------------------------------------------------------------------------------------------
// Geometry: the script runs this suite again at several screen sizes.

class Geometry : public GameTest {};

TEST_F(Geometry, MenuWindowIsCentredWithFixedSizeOverFullScreenFrame) {
    ASSERT_TRUE(StartToMenu());
    HWND menu = app().Menu();
    HWND frame = app().Frame();
    ASSERT_TRUE(frame != nullptr);

    EXPECT_TRUE(SameRect(WindowRectOf(menu), ExpectedMenuRect()))
        << "menu window on a " << ScreenWidth() << "x" << ScreenHeight() << " screen";
    EXPECT_TRUE(SameRect(ClientRectOf(menu), RECT{0, 0, 638, 478})) << "menu client area";

    EXPECT_TRUE(IsShown(frame));
    EXPECT_TRUE(SameRect(WindowRectOf(frame), RECT{0, 0, ScreenWidth(), ScreenHeight()})) << "frame window";
    EXPECT_EQ("Zorv3D", TextOf(frame));
}

TEST_F(Geometry, FrameIsBlackAroundMenuPicture) {
    ASSERT_TRUE(StartToMenu());
    HWND menu = app().Menu();
    ASSERT_TRUE(MenuShowsAPicture(menu));

    const RECT menu_rect = WindowRectOf(menu);
    ScreenCapture screen = ScreenCapture::WholeScreen();
    ASSERT_TRUE(screen.ok());
    for (const POINT& p : FramePointsOutsideMenu(ClientRectOnScreen(app().Frame()), menu_rect)) {
        COLORREF c = screen.Pixel(p.x, p.y);
        EXPECT_TRUE(IsBlack(c)) << "frame pixel (" << p.x << ", " << p.y << ") is " << ColorText(c);
    }
    SaveArtifact(WholeScreen(), "startup-" + std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()));
}

// ---------------------------------------------------------------------------------------------
// Closing

// Every way of closing destroys the menu window, which writes the first-run flag back. The flag
// file starts without its line end so that the rewrite shows in its bytes.
class Shutdown : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0"));
    }

    void ExpectClosedWithFlagWritten() {
        ExpectNormalShutdown(app());
        bool found = false;
        EXPECT_EQ("0\r\n", folder().Read(kFirstRunFlagFile, &found));
        EXPECT_TRUE(found);
    }
};

// The files of the info folder with their bytes.
std::string InfoFiles(const ScratchFolder& folder) {
    std::string all;
    for (const std::string& name : FilesIn(folder.PathOf("info"))) {
        all += name + ": \"" + folder.Read("info\\" + name) + "\"\n";
    }
    return all;
}

// A window of either class, or a dialog, that the process made; "" when none.
std::string AnyWindowOf(DWORD pid) {
    for (const char* name : {"Zorv3D", "Zorv3D Child", kDialogClass}) {
        if (FindWindowOfProcess(pid, name)) return name;
    }
    return std::string();
}

// Before the close: a second start from the same folder (a double click that came twice),
// spelt in capitals or through its short name, hands over to the running front-end. It makes no
// window, touches no file, restores the minimised frame and ends with code 0. A start from
// another folder is a front-end of its own.
TEST_F(Shutdown, AltF4OnMenuWindowEndsWithCodeZero) {
    ASSERT_TRUE(StartToMenu());
    HWND frame = app().Frame();
    HWND menu = app().Menu();
    const std::string files = InfoFiles(folder());

    std::vector<std::string> spellings(1, folder().path());
    CharUpperBuffA(&spellings[0][0], static_cast<DWORD>(spellings[0].size()));
    char short_name[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(folder().path().c_str(), short_name, MAX_PATH);
    if (length > 0 && length < MAX_PATH && folder().path() != short_name) spellings.push_back(short_name);
    for (const std::string& same_folder : spellings) {
        SCOPED_TRACE(same_folder);
        ShowWindow(frame, SW_MINIMIZE);
        ASSERT_TRUE(WaitFor([&] { return IsIconic(frame) != 0; }, kWindowTimeout)) << "the frame cannot be minimised";
        App second;
        ASSERT_TRUE(second.Start(same_folder));
        std::string made;
        WaitFor([&] { return !(made = AnyWindowOf(second.pid())).empty() || !second.IsRunning(); }, kExitTimeout);
        EXPECT_EQ("", made) << "the second start made a window";
        const ExitResult exit = second.WaitForExit();
        ASSERT_TRUE(exit.ended) << "the second start is still running";
        EXPECT_EQ(0u, exit.code);
        EXPECT_TRUE(WaitFor([&] { return !IsIconic(frame) && IsShown(menu); }, kWindowTimeout))
            << "the running front-end was not brought back";
    }
    EXPECT_EQ(2u, spellings.size()) << "the folder has no short name here";
    EXPECT_EQ(menu, app().Menu());
    EXPECT_EQ(files, InfoFiles(folder())) << "the second start changed the settings files";

    ScratchFolder other_folder("other");
    ASSERT_TRUE(other_folder.ok()) << other_folder.error();
    App other;
    ASSERT_TRUE(zorv_e2e::StartToMenu(other, other_folder.path())) << "a start from another folder";
    PostAltF4(other.Menu());
    EXPECT_EQ(0u, other.WaitForExit().code);

    ASSERT_TRUE(Answers(menu));
    PostAltF4(menu);
    ExpectClosedWithFlagWritten();
}

// A close from outside (End task, logoff) while a screen or a message box runs its own loop ends
// the program as QUIT does: code 0, the first-run flag written (the video screen marks the driver
// as chosen; while the menu is being made the flag is not read yet, so it is not written), and
// nothing written into freed memory, which Wine's heap checking would report.
TEST_F(Shutdown, CloseFromOutsideWhileAScreenIsOpenEndsAsQuitDoes) {
    const struct {
        const ButtonSpec* button;  // null: at the first message box while the menu is being made
        int control;               // 0: the screen's dialog has no control
        const char* flag;
    } screens[] = {{&kSetupInput, zorv::kKeyFields[0].controlId, "0\r\n"},
                   {&kAudio, IDC_AUDIO_MUSIC, "0\r\n"},
                   {&kVideo, IDC_VIDEO_DRIVERS, "1\r\n"},
                   {&kHowToPlay, 0, "0\r\n"},
                   {nullptr, 0, "0"}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.button ? NameOf(*screen.button) : "menu being made");
        ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0"));
        App run;
        run.TraceWine(kHeapCheckChannels);
        if (!screen.button) {
            ASSERT_TRUE(folder().Delete(kMainMenuBackground));
            ASSERT_TRUE(run.Start(folder().path()));
            ASSERT_TRUE(WaitForMessageBox(run.pid()));
        } else {
            ASSERT_TRUE(zorv_e2e::StartToMenu(run, folder().path()));
            for (const ButtonSpec* button : {&kOption, screen.button})
                Click(run.Menu(), Centre(*button).x, Centre(*button).y);
            HWND dialog = nullptr;
            auto opened = [&] {
                for (HWND box : TopLevelWindows(run.pid(), kDialogClass, kMessageCaption)) DismissMessageBox(box);
                dialog = screen.control ? FindDialogWith(run.pid(), screen.control) : FindDialog(run.pid());
                return dialog != nullptr || !run.IsRunning();
            };
            WaitFor(opened, kWindowTimeout);
            ASSERT_TRUE(dialog != nullptr) << "the screen did not open; " << run.EndedText();
        }
        SendNotifyMessageA(run.Frame(), WM_CLOSE, 0, 0);
        ExpectNormalShutdown(run);
        EXPECT_EQ(screen.flag, folder().Read(kFirstRunFlagFile));
        EXPECT_EQ("", run.WineTrace());
    }
}

// Two starts at once from one folder, twenty times over: exactly one of them runs, the other hands
// over to it and ends with code 0.
TEST_F(Shutdown, TwoStartsAtOnceMakeOneFrontEnd) {
    for (int round = 1; round <= 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        App starts[2];
        for (App& start : starts) ASSERT_TRUE(start.Start(folder().path()));
        int ended = -1;
        auto one_ended = [&] {
            for (int i = 0; i < 2; ++i) ended = starts[i].IsRunning() ? ended : i;
            return ended >= 0 || (starts[0].Menu() && starts[1].Menu());
        };
        WaitFor(one_ended, kStartTimeout);
        ASSERT_GE(ended, 0) << "both starts run";
        EXPECT_EQ(0u, starts[ended].WaitForExit().code);
        App& running = starts[1 - ended];
        ASSERT_TRUE(running.WaitForMenu());
        PostAltF4(running.Menu());
        ExpectNormalShutdown(running);
    }
}

TEST_F(Shutdown, AltF4OnFrameEndsWithCodeZero) {
    ASSERT_TRUE(StartToMenu());
    HWND frame = app().Frame();
    Activate(frame);
    PostAltF4(frame);
    ExpectClosedWithFlagWritten();
}

TEST_F(Shutdown, AltF4FromKeyboardEndsWithCodeZero) {
    ASSERT_TRUE(StartToMenu());
    EXPECT_EQ("", SendKeysInFront(
                      app().Menu(), {VK_MENU, VK_F4}, [&] { return !app().IsRunning(); }, kExitTimeout));
    ExpectClosedWithFlagWritten();
}

// ---------------------------------------------------------------------------------------------
// The frame's background picture is read and reported, but never shown: whatever is wrong with
// it, the player gets the reader's message and then the menu.

class FramePicture : public GameTest {
protected:
    void ExpectReportedThenMenu(const std::string& message) {
        ASSERT_TRUE(StartToMenu({message}));
        EXPECT_TRUE(MenuShowsAPicture(app().Menu()));
        PostAltF4(app().Menu());
        ExpectNormalShutdown(app());
    }
};

TEST_F(FramePicture, MissingIsReportedAndStartGoesOn) {
    ASSERT_TRUE(folder().Delete(kFrameBackground));
    ExpectReportedThenMenu("Bmp File Open Error");
}

TEST_F(FramePicture, ShorterThanItsHeaderIsReported) {
    ASSERT_TRUE(folder().Write(kFrameBackground, "BM"));
    ExpectReportedThenMenu("Bmp File Header Read Error");
}

TEST_F(FramePicture, OtherFormatIsReported) {
    static const char kPngStart[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x02\x80\0\0\x01\xe0\x08\x02\0\0\0";
    const std::string png(kPngStart, sizeof kPngStart - 1);
    ASSERT_TRUE(folder().Write(kFrameBackground, png));
    ExpectReportedThenMenu("Bmp File Not Format");
}

TEST_F(FramePicture, TruncatedIsReported) {
    bool found = false;
    std::string bytes = folder().Read(kFrameBackground, &found);
    ASSERT_TRUE(found);
    ASSERT_GT(bytes.size(), 100u);
    // The header still claims the whole file.
    ASSERT_TRUE(folder().Write(kFrameBackground, bytes.substr(0, bytes.size() / 2)));
    ExpectReportedThenMenu("Bmp File Read Fail");
}

// ---------------------------------------------------------------------------------------------
// Keys

class Keys : public GameTest {};

// F5 is a diagnostic of the frame alone: one line of free memory on the standard output, which
// the player never sees. The menu window ignores it.
TEST_F(Keys, F5ChangesNothingOnScreenAndOnlyTheFrameAnswers) {
    ASSERT_TRUE(StartToMenu());
    HWND menu = app().Menu();
    HWND frame = app().Frame();
    ASSERT_TRUE(MenuShowsAPicture(menu));
    ScreenCapture before = ScreenCapture::WholeScreen();
    ASSERT_TRUE(before.ok());

    PostKey(menu, VK_F5);
    PostKey(frame, VK_F5);
    // The frame's answer is a line on the standard output, which the program flushes at once; the
    // menu window's key was posted first, so it has been handled too.
    const std::string line = "Avail Phys Memory : ";
    ASSERT_TRUE(WaitFor([&] { return app().Output().find(line) != std::string::npos; }, kWindowTimeout))
        << "the frame did not answer F5";

    EXPECT_TRUE(Answers(menu)) << "the program stopped answering";
    ASSERT_TRUE(app().IsRunning());
    EXPECT_TRUE(NoDialogShowing(app().pid()));
    EXPECT_TRUE(IsShown(menu));
    EXPECT_TRUE(IsShown(frame));
    ScreenCapture after = ScreenCapture::WholeScreen();
    ASSERT_TRUE(after.ok());
    int changed = 0;
    for (int y = 0; y < ScreenHeight(); y += 4) {
        for (int x = 0; x < ScreenWidth(); x += 4) {
            if (before.Pixel(x, y) != after.Pixel(x, y)) ++changed;
        }
    }
    EXPECT_EQ(0, changed) << "sampled pixels changed after F5";

    PostAltF4(menu);
    ExpectNormalShutdown(app());
    const std::string output = app().Output();
    EXPECT_EQ(0u, output.find(line)) << "output: " << output;
    EXPECT_EQ(std::string::npos, output.find(line, 1)) << "more than one line: " << output;
}

}  // namespace
}  // namespace zorv_e2e
