// The video calibration dialog as the player uses it, opened with VIDEO CALIBRATION from the
// options menu: what it shows from video.cfg and Driver.dat, drivers and modes chosen the way a
// player chooses them (keys to the driver list, clicks in the opened mode list, so that every
// notification comes from the control itself), the driver dialogs those choices raise, the
// level bar under real clicks and a thumb drag, DONE and DEFAULT, the libraries DONE places
// beside the game or removes, the first-run flag the visit sets, and the configuration-file
// error dialog for files that cannot be read or written.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "video/video_buttons.h"

namespace zorv_e2e {
namespace {

constexpr ScreenSpec kVideoScreen{"video calibration dialog", zorv::kVideoTable, kSmallWindowBackground};
constexpr const ButtonSpec& kDone = ButtonOf(zorv::kVideoTable, zorv::kCommandVideoDone);
constexpr const ButtonSpec& kDefault = ButtonOf(zorv::kVideoTable, zorv::kCommandVideoDefault);

// The stand-in game's window class, and instructions that end it at once.
constexpr char kGameWindowClass[] = "Zorv3D stand-in game";
constexpr char kQuickGame[] = "stay=100\n";
constexpr DWORD kRunTimeout = 15000;

// The caption colour of the dialogs' captions: pure green.
constexpr COLORREF kCaptionGreen = RGB(0, 255, 0);

struct DriverEntry {
    std::string directory;
    std::string name;
};

// The "#D" and "#N" lines of a driver list file as the sample folder has them: one blank after
// the marker.
std::vector<DriverEntry> DriversIn(const std::string& text) {
    std::vector<DriverEntry> drivers;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, 3, "#D ") == 0) drivers.push_back({line.substr(3), std::string()});
        if (line.compare(0, 3, "#N ") == 0 && !drivers.empty()) drivers.back().name = line.substr(3);
    }
    return drivers;
}

RECT AsRect(const zorv::ButtonRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// r, given in screen coordinates, relative to the client origin of a window.
RECT InClient(const RECT& r, HWND window) {
    const RECT client = ClientRectOnScreen(window);
    return RECT{r.left - client.left, r.top - client.top, r.right - client.left, r.bottom - client.top};
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = static_cast<DWORD_PTR>(-2);
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) return -2;
    return static_cast<LRESULT>(result);
}

int Selected(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL)); }

// The entries of a drop-down list, through the wide message that carries text across processes.
std::vector<std::string> Entries(HWND combo) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(Ask(combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        if (Ask(combo, CB_GETLBTEXTLEN, i) >= 128) return {"<entry too long>"};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        std::string narrow;
        for (const wchar_t* c = text; *c; ++c) narrow += static_cast<char>(*c);
        entries.push_back(narrow);
    }
    return entries;
}

std::string Joined(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += (text.empty() ? "\"" : ", \"") + e + "\"";
    return "[" + text + "]";
}

// Where the level bar's parts lie, in its client coordinates.
struct BarGeometry {
    int width = 0;
    int height = 0;
    int arrow = 0;  // width of each arrow button
    int thumbLeft = 0;
    int thumbRight = 0;
};

// The bar's own layout: arrow buttons and thumb as wide as a vertical scroll bar, the thumb
// placed in proportion to the position over range 0..100. (The bar's information cannot be
// asked for across processes.)
BarGeometry GeometryOf(HWND bar) {
    BarGeometry g;
    const RECT client = ClientRectOf(bar);
    g.width = client.right;
    g.height = client.bottom;
    g.arrow = GetSystemMetrics(SM_CXVSCROLL);
    const int thumb = GetSystemMetrics(SM_CXVSCROLL);
    const int track = g.width - 2 * g.arrow - thumb;
    if (track <= 0) return BarGeometry();
    g.thumbLeft = g.arrow + MulDiv(track, GetScrollPos(bar, SB_CTL), 100);
    g.thumbRight = g.thumbLeft + thumb;
    return g;
}

class VideoTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(folder().Write(kStandInInstructions, kQuickGame));
        drivers_ = DriversIn(folder().Read(kDriverListFile));
        ASSERT_GE(drivers_.size(), 7u) << "the sample driver list has a system driver, three local ones, "
                                          "two to install into the system and a last entry";
    }

    void StartMenu() {
        ASSERT_TRUE(StartToMenu());
        menu_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(menu_->ok()) << menu_->error();
    }

    // VIDEO CALIBRATION, from whichever menu shows; waits until the dialog shows its buttons.
    void OpenVideo() {
        if (!inOptions_) {
            menu_->ClickAt(kOption);
            ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
            inOptions_ = true;
        }
        menu_->ClickAt(kVideo);
        ASSERT_NO_FATAL_FAILURE(Opened());
    }
    void Opened() {
        dialog_ = WaitForDialogWith(app().pid(), IDC_VIDEO_DRIVERS);
        ASSERT_TRUE(dialog_ != nullptr) << "no video calibration dialog; " << app().EndedText();
        view_.reset(new ButtonView(dialog_, folder().PathOf(kProgramFile), folder().path(), {kVideoScreen}));
        ASSERT_TRUE(view_->ok()) << view_->error();
        ASSERT_TRUE(view_->Shows(kDone, Look::kNormal));
        ASSERT_TRUE(view_->Shows(kDefault, Look::kNormal));
    }

    HWND DriverList() { return GetDlgItem(dialog_, IDC_VIDEO_DRIVERS); }
    HWND ModeList() { return GetDlgItem(dialog_, IDC_VIDEO_MODES); }
    HWND LevelBar() { return GetDlgItem(dialog_, IDC_VIDEO_LEVEL); }
    int Level() { return GetScrollPos(LevelBar(), SB_CTL); }

    // Waits until the lists and the bar show this selection.
    ::testing::AssertionResult Shows(int driver, int mode, int level) {
        if (WaitFor(
                [&] { return Selected(DriverList()) == driver && Selected(ModeList()) == mode && Level() == level; },
                kWindowTimeout)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "the dialog shows driver " << Selected(DriverList()) << ", mode " << Selected(ModeList())
               << ", level " << Level() << "; expected driver " << driver << ", mode " << mode << ", level " << level;
    }

    ::testing::AssertionResult ModesAre(const std::vector<std::string>& expected) {
        std::vector<std::string> seen;
        if (WaitFor([&] { return (seen = Entries(ModeList())) == expected; }, kWindowTimeout))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the mode list holds " << Joined(seen) << ", expected " << Joined(expected);
    }

    // Points of the background picture beside the controls, between the bar and the buttons and
    // below the buttons, that differ from the picture drawn 1:1.
    int BackgroundMisses(const ScreenCapture& shot) {
        const Picture picture = LoadBitmapFile(folder().PathOf(kSmallWindowBackground));
        if (!picture.ok()) return -1;
        const RECT client = ClientRectOnScreen(dialog_);
        const int rows = client.bottom - client.top;
        auto colour = [&](int x, int row) {
            const DWORD p = picture.At(x, row);
            return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        };
        // The picture is stretched over the client rows: a client row shows the picture row it
        // falls on, give or take the one the system rounds to.
        int misses = 0;
        for (int y : {8, 150, 205, 215, 330, 340}) {
            const int row = y * picture.height / rows;
            for (int x = 10; x < picture.width; x += 20) {
                const COLORREF shown = shot.Pixel(client.left + x, client.top + y);
                bool found = false;
                for (int r = row - 1; r <= row + 1 && !found; ++r)
                    found = r >= 0 && r < picture.height && shown == colour(x, r);
                misses += !found;
            }
        }
        return misses;
    }

    // A key to the driver list, as the keyboard gives it to the focused list.
    void DriverKey(UINT vk) { PostKey(DriverList(), vk); }

    // The driver installed dialog, owned by the menu window, confirmed with OK.
    void ConfirmInstalled() {
        HWND dialog = WaitForDialogWith(app().pid(), IDC_DRIVER_INSTALLED_OK);
        ASSERT_TRUE(dialog != nullptr) << "no driver installed dialog";
        EXPECT_EQ(app().Menu(), GetWindow(dialog, GW_OWNER));
        ASSERT_TRUE(ShowsOnScreen(dialog));
        ASSERT_TRUE(ClickDialogButton(dialog, IDC_DRIVER_INSTALLED_OK));
        ASSERT_TRUE(WaitUntilGone(dialog));
    }

    // The driver guide, owned by the menu window, left with Cancel; its location text.
    std::string DismissGuide() {
        HWND dialog = WaitForDialogWith(app().pid(), IDC_DRIVER_GUIDE_CANCEL);
        if (!dialog) {
            ADD_FAILURE() << "no driver guide dialog";
            return "<no guide>";
        }
        EXPECT_EQ(app().Menu(), GetWindow(dialog, GW_OWNER));
        EXPECT_TRUE(ShowsOnScreen(dialog));
        const std::string location = DialogItemText(dialog, IDC_DRIVER_GUIDE_LOCATION);
        EXPECT_TRUE(ClickDialogButton(dialog, IDC_DRIVER_GUIDE_CANCEL));
        EXPECT_TRUE(WaitUntilGone(dialog));
        return location;
    }

    // Neither driver dialog came: once the dialog answers, one raised by the last choice would
    // already exist, since the choice raises it while it is handled.
    ::testing::AssertionResult NoDriverDialog() {
        if (!Answers(dialog_)) return ::testing::AssertionFailure() << "the video dialog does not answer";
        if (FindDialogWith(app().pid(), IDC_DRIVER_INSTALLED_OK))
            return ::testing::AssertionFailure() << "the driver installed dialog showed";
        if (FindDialogWith(app().pid(), IDC_DRIVER_GUIDE_CANCEL))
            return ::testing::AssertionFailure() << "the driver guide dialog showed";
        return ::testing::AssertionSuccess();
    }

    // DONE ends the dialog.
    void Done() {
        view_->ClickAt(kDone);
        ASSERT_TRUE(WaitUntilGone(dialog_)) << "DONE did not close the dialog";
    }

    // What the game folder holds under a library's name, "<missing>" when nothing.
    std::string Library(const char* name) {
        bool found = false;
        std::string bytes = folder().Read(name, &found);
        return found ? bytes : "<missing>";
    }
    std::string DriverLibrary(int driver, const char* name) {
        bool found = false;
        std::string bytes = folder().Read(std::string(kDriverFolder) + drivers_[driver].directory + name, &found);
        return found ? bytes : "<missing>";
    }

    // From the options menu: CLOSE, START GAME; the game runs without the driver question and
    // the menu comes back. What the game saw.
    std::string StartGameAfterVideo() {
        menu_->ClickAt(kClose);
        inOptions_ = false;
        EXPECT_TRUE(menu_->ShowsWhole(kMainScreen));
        folder().Delete(kStandInReport);
        menu_->ClickAt(kStartGame);
        bool asked = false;
        WaitFor(
            [&] {
                asked = FindDialogWith(app().pid(), IDC_DRIVER_CHECK_START) != nullptr;
                return asked || folder().Exists(kStandInReport);
            },
            kRunTimeout);
        EXPECT_FALSE(asked) << "the driver question came after the video calibration";
        if (asked) return std::string();
        auto back = [&] {
            HWND frame = app().Frame();
            HWND menu = app().Menu();
            return !app().IsRunning() ||
                   (frame && !IsIconic(frame) && IsShown(menu) && IsWindowEnabled(menu) && !FindDialog(app().pid()) &&
                    !FindWindowA(kGameWindowClass, nullptr) && Answers(menu, 200));
        };
        EXPECT_TRUE(WaitFor(back, kRunTimeout) && app().IsRunning()) << "the menu did not come back";
        return folder().Read(kStandInReport);
    }

    void Quit() {
        menu_->ClickAt(kQuit);
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after QUIT";
        EXPECT_EQ(0u, exit.code);
    }

    // The configuration-file error dialog with this file's full path, owned by the video
    // dialog; OK ends the program with code 1.
    void ExpectConfigErrorThenExit(const char* file) {
        HWND error = WaitForDialogWith(app().pid(), IDC_CONFIG_ERROR_TEXT, kStartTimeout);
        ASSERT_TRUE(error != nullptr) << "no configuration-file error dialog; " << app().EndedText();
        HWND owner = GetWindow(error, GW_OWNER);
        EXPECT_TRUE(owner && GetDlgItem(owner, IDC_VIDEO_DRIVERS)) << "owned by the video dialog";
        EXPECT_EQ(folder().PathOf(file), DialogItemText(error, IDC_CONFIG_ERROR_TEXT));
        ASSERT_TRUE(ShowsOnScreen(error));
        ASSERT_TRUE(ClickDialogButton(error, IDC_CONFIG_ERROR_OK));
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after OK";
        EXPECT_EQ(1u, exit.code);
    }

    std::vector<DriverEntry> drivers_;
    std::unique_ptr<MenuView> menu_;
    std::unique_ptr<ButtonView> view_;
    HWND dialog_ = nullptr;
    bool inOptions_ = false;
};

const std::vector<std::string> kAllModes = {"640 X 480  16", "800 X 600  16", "1024 X 768  16",
                                            "1024 X 768  32 (true colour)"};
const std::vector<std::string> kFirstModeOnly = {"640 X 480  16"};

// ---------------------------------------------------------------------------------------------

// Custom flag 0 shows the defaults; DONE at once keeps the stored level, removes libraries left
// beside the game, and the visit sets the first-run flag.
TEST_F(VideoTest, Defaults) {
    ASSERT_TRUE(folder().Write(kVideoSettingsFile, "0\r\n0\r\n0\r\n80\r\n"));
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0\r\n"));
    ASSERT_TRUE(folder().Write(kLocalOpenGlLibrary, "left from before"));
    ASSERT_TRUE(folder().Write(kLocalGluLibrary, "left from before"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(OpenVideo());

    EXPECT_EQ(app().Menu(), GetWindow(dialog_, GW_OWNER));
    EXPECT_EQ("", TextOf(dialog_)) << "the dialog has no caption";
    EXPECT_TRUE(Shows(0, 0, 50)) << "custom flag 0: the defaults, the bar at 50";
    std::vector<std::string> names;
    for (const DriverEntry& d : drivers_) names.push_back(d.name);
    EXPECT_EQ(Joined(names), Joined(Entries(DriverList())));
    EXPECT_TRUE(ModesAre(kAllModes)) << "driver 0: the first modes' labels, then the last-mode label";

    // The screen holds itself to two pixels per dialog unit at the template's place and size; the
    // controls stand where the table puts them, below the captions.
    EXPECT_TRUE(SameRect(ClientRectOf(dialog_), RECT{0, 0, 280, 344}));
    EXPECT_TRUE(SameRect(InClient(ClientRectOnScreen(dialog_), app().Menu()), AsRect(zorv::kVideoClientPlace)));
    for (const zorv::ControlSpec& control : zorv::kVideoControls) {
        const RECT placed = InClient(WindowRectOf(GetDlgItem(dialog_, control.controlId)), dialog_);
        const RECT expected = AsRect(control.Pixels());
        if (control.controlId == IDC_VIDEO_LEVEL) {
            EXPECT_TRUE(SameRect(placed, expected)) << "level bar";
            continue;
        }
        // A closed drop-down list is as high as its font makes it; the place includes the list.
        EXPECT_TRUE(SameRect(RECT{placed.left, placed.top, placed.right, expected.bottom}, expected))
            << "list " << control.controlId;
        EXPECT_LT(placed.bottom, expected.bottom) << "list " << control.controlId;
    }
    SaveArtifact(WindowRectOf(dialog_), "video-dialog");

    // The whole of each green caption shows between the control above it and the one below, and
    // the background picture is drawn scaled over the whole client area.
    const RECT client = ClientRectOnScreen(dialog_);
    ScreenCapture shot(client);
    ASSERT_TRUE(shot.ok());
    const RECT captionBands[] = {{22, 20, 256, 42}, {22, 93, 256, 114}, {22, 162, 256, 180}};
    for (const RECT& band : captionBands) {
        int green = 0;
        int lowestGreenRow = -1;
        for (int y = band.top; y < band.bottom; ++y) {
            for (int x = band.left; x < band.right; ++x) {
                if (shot.Pixel(client.left + x, client.top + y) != kCaptionGreen) continue;
                ++green;
                lowestGreenRow = y;
            }
        }
        EXPECT_GT(green, 20) << "no caption drawn at row " << band.top;
        EXPECT_GT(lowestGreenRow, band.top + 6) << "the caption at row " << band.top << " is cut off";
    }
    EXPECT_EQ(0, BackgroundMisses(shot));

    // Enter, Escape and Alt+F4 leave it open.
    for (HWND target : {dialog_, DriverList()}) {
        PostKey(target, VK_RETURN);
        PostKey(target, VK_ESCAPE);
    }
    PostAltF4(dialog_);
    ASSERT_TRUE(Answers(dialog_));
    EXPECT_TRUE(IsShown(dialog_)) << "a key closed the dialog";

    view_->MoveTo(kDone);
    EXPECT_TRUE(view_->Shows(kDone, Look::kHighlighted));
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_TRUE(menu_->ShowsWhole(kOptionsScreen)) << "the options menu is not repainted whole";
    EXPECT_EQ("0\r\n0\r\n0\r\n80\r\n", folder().Read(kVideoSettingsFile)) << "the stored level is kept";
    EXPECT_EQ("<missing>", Library(kLocalOpenGlLibrary));
    EXPECT_EQ("<missing>", Library(kLocalGluLibrary));

    // The visit set the first-run flag: the game starts without the driver question, finds no
    // library beside it, and QUIT writes the flag.
    const std::string seen = StartGameAfterVideo();
    EXPECT_NE(std::string::npos, seen.find("opengl32.dll=missing")) << seen;
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ("1\r\n", folder().Read(kFirstRunFlagFile));
}

// Each kind of driver raises its dialog; DONE copies a local driver's libraries, or removes them.
TEST_F(VideoTest, DriverChoices) {
    ASSERT_TRUE(folder().Write(kVideoSettingsFile, "1\r\n0\r\n2\r\n30\r\n"));
    ASSERT_TRUE(folder().Delete(std::string(kDriverFolder) + drivers_[1].directory + kGluLibrary));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    EXPECT_TRUE(Shows(0, 2, 30)) << "custom flag 1: the stored choice";
    EXPECT_TRUE(ModesAre(kAllModes));

    // The last entry: the guide without a location. The one before: its folder's full path.
    DriverKey(VK_END);
    EXPECT_EQ("", DismissGuide());
    DriverKey(VK_UP);
    const int beforeLast = static_cast<int>(drivers_.size()) - 2;
    // The guide holds 99 characters of it: the test's name keeps the scratch folder's path short.
    const std::string folderPath = folder().PathOf(std::string(kDriverFolder) + drivers_[beforeLast].directory);
    ASSERT_LT(folderPath.size(), 100u);
    EXPECT_EQ(folderPath, DismissGuide());
    EXPECT_TRUE(Shows(beforeLast, 2, 30)) << "the stored mode stays on show";
    EXPECT_TRUE(ModesAre(kAllModes));

    // Driver 0 tells nothing; drivers 1 and 2 are confirmed and offer their first mode only.
    DriverKey(VK_HOME);
    EXPECT_TRUE(Shows(0, 2, 30));
    EXPECT_TRUE(NoDriverDialog());
    for (int driver : {1, 2}) {
        DriverKey(VK_DOWN);
        ASSERT_NO_FATAL_FAILURE(ConfirmInstalled());
        EXPECT_TRUE(Shows(driver, 0, 30));
        EXPECT_TRUE(ModesAre(kFirstModeOnly));
    }
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ("1\r\n2\r\n0\r\n30\r\n", folder().Read(kVideoSettingsFile));
    EXPECT_EQ(DriverLibrary(2, kOpenGlLibrary), Library(kLocalOpenGlLibrary));
    EXPECT_EQ(DriverLibrary(2, kGluLibrary), Library(kLocalGluLibrary));
    EXPECT_NE(DriverLibrary(1, kOpenGlLibrary), Library(kLocalOpenGlLibrary)) << "the stand-ins tell drivers apart";

    // The game finds the chosen driver's libraries beside it.
    const std::string seen = StartGameAfterVideo();
    EXPECT_NE(std::string::npos, seen.find(drivers_[2].directory)) << seen;
    EXPECT_NE(std::string::npos, seen.find("glu32.dll=\"Stand-in Glu32.dll")) << seen;

    // Driver 1 lacks Glu32.dll: its Opengl32.dll is copied, no library of driver 2 stays, and
    // nothing is said.
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    EXPECT_TRUE(Shows(2, 0, 30));
    EXPECT_TRUE(ModesAre(kFirstModeOnly));
    DriverKey(VK_UP);
    ASSERT_NO_FATAL_FAILURE(ConfirmInstalled());
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ(DriverLibrary(1, kOpenGlLibrary), Library(kLocalOpenGlLibrary));
    EXPECT_EQ("<missing>", Library(kLocalGluLibrary));
    ASSERT_TRUE(Answers(app().Menu()));
    EXPECT_EQ(nullptr, FindDialog(app().pid())) << DescribeWindow(FindDialog(app().pid()));

    // A driver above 3 removes the copies.
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    DriverKey(VK_END);
    EXPECT_EQ("", DismissGuide());
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ("<missing>", Library(kLocalOpenGlLibrary));
    EXPECT_EQ("<missing>", Library(kLocalGluLibrary));
    EXPECT_EQ("1\r\n" + std::to_string(drivers_.size() - 1) + "\r\n0\r\n30\r\n", folder().Read(kVideoSettingsFile));
}

// The level bar under real clicks: the trough steps by 10 and stops at the ends (at 100 the
// thumb fills the trough's right end, so the right arrow gives the last two steps); the thumb
// drag moves the level as it goes and the file gets where it stopped. A mode is picked in the
// opened list; DEFAULT shows the defaults and keeps the level.
TEST_F(VideoTest, LevelAndModes) {
    ASSERT_TRUE(folder().Write(kVideoSettingsFile, "1\r\n0\r\n2\r\n80\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    ASSERT_TRUE(Shows(0, 2, 80));
    BarGeometry bar = GeometryOf(LevelBar());
    ASSERT_GT(bar.arrow, 0) << "the level bar's geometry cannot be read";
    const int middle = bar.height / 2;
    std::vector<int> levels;
    for (int click = 0; click < 4; ++click) {
        bar = GeometryOf(LevelBar());
        const int x = click < 2 ? (bar.thumbRight + bar.width - bar.arrow) / 2 : bar.width - bar.arrow / 2;
        const int before = Level();
        Click(LevelBar(), x, middle);
        WaitFor([&] { return Level() != before; }, click < 2 ? kWindowTimeout : 300);
        levels.push_back(Level());
    }
    EXPECT_EQ((std::vector<int>{90, 100, 100, 100}), levels);

    // A mode picked with a click in the opened list.
    PostKey(ModeList(), VK_F4);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return IsShown(list = FindWindowOfProcess(app().pid(), "ComboLBox")); }, kWindowTimeout))
        << "the mode list did not open";
    ASSERT_TRUE(Answers(list));
    RECT around = WindowRectOf(dialog_);
    const RECT listRect = WindowRectOf(list);
    UnionRect(&around, &around, &listRect);
    SaveArtifact(around, "video-dialog-mode-list-open");
    const int itemHeight = static_cast<int>(Ask(list, LB_GETITEMHEIGHT));
    ASSERT_GT(itemHeight, 0);
    Click(list, 10, 3 * itemHeight + itemHeight / 2);
    ASSERT_TRUE(WaitUntilGone(list)) << "the mode list stayed open";
    EXPECT_TRUE(Shows(0, 3, 100));
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ("1\r\n0\r\n3\r\n100\r\n", folder().Read(kVideoSettingsFile));

    // DEFAULT: the defaults on show, the button highlighted again once released. The bar steps
    // from the 50 it shows.
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    ASSERT_TRUE(Shows(0, 3, 100));
    view_->ClickAt(kDefault);
    EXPECT_TRUE(view_->Shows(kDefault, Look::kHighlighted));
    EXPECT_TRUE(Shows(0, 0, 50));
    levels.clear();
    for (int click = 0; click < 4; ++click) {
        bar = GeometryOf(LevelBar());
        const int before = Level();
        Click(LevelBar(), (bar.arrow + bar.thumbLeft) / 2, middle);
        WaitFor([&] { return Level() != before; }, kWindowTimeout);
        levels.push_back(Level());
    }
    EXPECT_EQ((std::vector<int>{40, 30, 20, 10}), levels);

    // The thumb dragged right in two moves, then let go: the level follows each move. The real
    // pointer goes along: a move the system makes up while the bar tracks (on taking the capture,
    // for one) reports where the pointer really is.
    bar = GeometryOf(LevelBar());
    const int grip = (bar.thumbLeft + bar.thumbRight) / 2;
    auto drag = [&](UINT message, WPARAM keys, int x) { PostPointer(LevelBar(), message, keys, x, middle); };
    drag(WM_LBUTTONDOWN, MK_LBUTTON, grip);
    drag(WM_MOUSEMOVE, MK_LBUTTON, grip + (bar.width - 2 * bar.arrow) / 4);
    ASSERT_TRUE(WaitFor([&] { return Level() > 20; }, kWindowTimeout))
        << "the first move left the level at " << Level();
    const int halfway = Level();
    drag(WM_MOUSEMOVE, MK_LBUTTON, grip + (bar.width - 2 * bar.arrow) / 2);
    ASSERT_TRUE(WaitFor([&] { return Level() > halfway; }, kWindowTimeout)) << "the second move left it at " << Level();
    drag(WM_LBUTTONUP, 0, grip + (bar.width - 2 * bar.arrow) / 2);
    ASSERT_TRUE(Answers(dialog_));
    const int dragged = Level();
    EXPECT_GT(dragged, halfway) << "letting go moved the thumb back";
    EXPECT_LT(dragged, 100);
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ("1\r\n0\r\n0\r\n" + std::to_string(dragged) + "\r\n", folder().Read(kVideoSettingsFile));

    // DEFAULT after a local driver: the mode list offers driver 0's modes again. DONE saves the
    // defaults with the level kept.
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    DriverKey(VK_DOWN);
    ASSERT_NO_FATAL_FAILURE(ConfirmInstalled());
    EXPECT_TRUE(ModesAre(kFirstModeOnly));
    view_->ClickAt(kDefault);
    EXPECT_TRUE(Shows(0, 0, 50));
    EXPECT_TRUE(ModesAre(kAllModes));
    ASSERT_NO_FATAL_FAILURE(Done());
    EXPECT_EQ("0\r\n0\r\n0\r\n" + std::to_string(dragged) + "\r\n", folder().Read(kVideoSettingsFile));
    EXPECT_EQ("<missing>", Library(kLocalOpenGlLibrary));

    // With keys only: Enter shows the focus on VIDEO CALIBRATION, used last, a second Enter opens
    // the screen again with the driver list focused, Tab goes through the other list and the bar to DONE, the arrows
    // move the bar (from the 50 it shows while the flag is 0), Space presses DONE.
    menu_->MoveTo(kEmptySpot);
    ASSERT_TRUE(Activate(app().Menu()) && SendKeys({VK_RETURN}) && SendKeys({VK_RETURN}));
    ASSERT_NO_FATAL_FAILURE(Opened());
    auto keys = [&](WORD vk, auto taken) {
        EXPECT_EQ("", SendKeysInFront(dialog_, {vk}, taken, kWindowTimeout)) << "key " << vk;
    };
    keys(VK_TAB, [&] { return FocusOf(dialog_) == ModeList(); });
    keys(VK_TAB, [&] { return FocusOf(dialog_) == LevelBar(); });
    keys(VK_RIGHT, [&] { return Level() == 60; });
    keys(VK_TAB,
         [&] { return view_->Shows(kDone, Look::kHighlighted, 0) && view_->Shows(kDefault, Look::kNormal, 0); });
    keys(VK_SPACE, [&] { return !IsWindow(dialog_); });
    EXPECT_EQ("1\r\n0\r\n0\r\n60\r\n", folder().Read(kVideoSettingsFile));
}

// A settings file that cannot be read at opening, or written at DONE, ends the program through
// the configuration-file error dialog.
TEST_F(VideoTest, MissingDriverList) {
    ASSERT_TRUE(folder().Delete(kDriverListFile));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    menu_->ClickAt(kOption);
    ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    menu_->ClickAt(kVideo);
    ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit(kDriverListFile));
}

TEST_F(VideoTest, MissingSettings) {
    ASSERT_TRUE(folder().Delete(kVideoSettingsFile));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    menu_->ClickAt(kOption);
    ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    menu_->ClickAt(kVideo);
    ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit(kVideoSettingsFile));
}

TEST_F(VideoTest, ReadOnlySettings) {
    ASSERT_TRUE(folder().Write(kVideoSettingsFile, "1\r\n0\r\n1\r\n40\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(OpenVideo());
    ASSERT_TRUE(folder().SetReadOnly(kVideoSettingsFile));
    DriverKey(VK_HOME);
    view_->ClickAt(kDone);
    ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit(kVideoSettingsFile));
    EXPECT_EQ("1\r\n0\r\n1\r\n40\r\n", folder().Read(kVideoSettingsFile));
}

}  // namespace
}  // namespace zorv_e2e
