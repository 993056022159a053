// The intro movie as the player sees it: the notice before it on the Windows NT family and none
// on the 95 family, the picture stretched over the whole screen with the cursor hidden and the
// cursor back over the menu, Escape, and start-up without a playable movie. The script runs this
// suite again at another screen size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver.h"
#include "movie.h"

namespace zorv_e2e {
namespace {

constexpr char kDeviceWindowClass[] = "MCIAVI";  // the movie device's own window
constexpr DWORD kMovieMs = 1000 * assetgen::kMovieFrames / assetgen::kMovieFps;

bool IsMarkYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 150 && GetBValue(c) < 80; }

// Where a movie pixel lands on the screen when the movie fills the frame's client area, whose
// origin is one pixel in from the screen's corner (the frame's border).
POINT OnScreen(double movie_x, double movie_y) {
    const double sx = double(ScreenWidth()) / assetgen::kMovieW;
    const double sy = double(ScreenHeight()) / assetgen::kMovieH;
    return POINT{1 + static_cast<LONG>((movie_x + 0.5) * sx), 1 + static_cast<LONG>((movie_y + 0.5) * sy)};
}

// Points of the four corner marks, and points just beyond their arms, in movie pixels. A movie
// drawn at its own size, or not reaching the screen's far edges, misses some of them.
struct MarkPoint {
    double x, y;
    bool yellow;
};
std::vector<MarkPoint> MarkPoints() {
    const double w = assetgen::kMovieW, h = assetgen::kMovieH;
    const double mid = assetgen::kCornerMarkWidth / 2.0;    // across an arm
    const double along = assetgen::kCornerMarkLength - 3;   // near an arm's end
    const double beyond = assetgen::kCornerMarkLength + 3;  // past it
    std::vector<MarkPoint> points;
    for (bool right : {false, true}) {
        for (bool bottom : {false, true}) {
            auto x = [&](double d) { return right ? w - 1 - d : d; };
            auto y = [&](double d) { return bottom ? h - 1 - d : d; };
            points.push_back({x(mid), y(mid), true});
            points.push_back({x(along), y(mid), true});
            points.push_back({x(mid), y(along), true});
            points.push_back({x(beyond), y(mid), false});
            points.push_back({x(mid), y(beyond), false});
        }
    }
    return points;
}

// "" when the capture shows the corner marks where a full-screen movie puts them.
std::string MarksMismatch(const ScreenCapture& shot) {
    for (const MarkPoint& m : MarkPoints()) {
        POINT p = OnScreen(m.x, m.y);
        COLORREF c = shot.Pixel(p.x, p.y);
        if (IsMarkYellow(c) != m.yellow) {
            return "screen (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") is " + ColorText(c) +
                   (m.yellow ? ", expected the corner mark's yellow" : ", expected no mark there");
        }
    }
    return "";
}

bool DeviceWindowLeft(const App& app) { return FindWindowOfProcess(app.pid(), kDeviceWindowClass) != nullptr; }

// Makes the program see a Windows 95 family system while the guard lives: Wine's version for
// zorv3d.exe alone, which a process takes as it starts.
class NinetyFiveFamily {
public:
    NinetyFiveFamily() {
        ok_ = RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                              nullptr) == ERROR_SUCCESS;
        if (!ok_) return;
        DWORD size = sizeof previous_ - 1;
        had_ = RegQueryValueExA(key_, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(previous_), &size) ==
               ERROR_SUCCESS;
        static const char kWin98[] = "win98";
        ok_ = RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(kWin98), sizeof kWin98) ==
              ERROR_SUCCESS;
    }
    ~NinetyFiveFamily() {
        if (!key_) return;
        if (had_) {
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_),
                           static_cast<DWORD>(std::strlen(previous_) + 1));
        } else {
            RegDeleteValueA(key_, "Version");
        }
        RegCloseKey(key_);
    }
    NinetyFiveFamily(const NinetyFiveFamily&) = delete;
    NinetyFiveFamily& operator=(const NinetyFiveFamily&) = delete;
    bool ok() const { return ok_ && !ProgramSeesNtFamily(); }

private:
    static constexpr char kKey[] = "Software\\Wine\\AppDefaults\\zorv3d.exe";
    HKEY key_ = nullptr;
    bool ok_ = false;
    bool had_ = false;
    char previous_[64] = {};
};

// Holds Escape down through SendInput until the guard goes, so that a failed test never leaves
// it held for the next one.
class EscapeHeld {
public:
    EscapeHeld() { Send(0); }
    ~EscapeHeld() { Send(KEYEVENTF_KEYUP); }
    EscapeHeld(const EscapeHeld&) = delete;
    EscapeHeld& operator=(const EscapeHeld&) = delete;

private:
    static void Send(DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_ESCAPE;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }
};

class Movie : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(folder().Restore(kIntroMovie)) << "the game folder has no intro movie";
    }

    // On the NT family, waits for the notice and returns it (not yet answered); elsewhere null.
    HWND Notice() {
        if (!ProgramSeesNtFamily()) return nullptr;
        HWND box = WaitForMessageBox(app().pid());
        EXPECT_TRUE(box != nullptr) << "no notice before the movie";
        if (box) {
            EXPECT_EQ(kIntroNotice, MessageBoxText(box));
        }
        return box;
    }

    // After the notice, if any: the movie fills the screen with the cursor hidden, before the
    // menu comes; then the menu shows with the cursor shown again. Any message box fails.
    void ExpectMovieThenMenu(App& run, bool keep_screenshot) {
        std::string mismatch;
        bool menu_meanwhile = false;
        bool cursor_meanwhile = false;
        WaitFor(
            [&] {
                mismatch = MarksMismatch(ScreenCapture::WholeScreen());
                cursor_meanwhile = CursorShowing();
                menu_meanwhile = IsShown(run.Menu());
                return mismatch.empty() || menu_meanwhile || FindDialog(run.pid()) != nullptr;
            },
            kWindowTimeout, 10);
        EXPECT_EQ("", mismatch) << "the movie was not seen filling the screen";
        EXPECT_FALSE(menu_meanwhile) << "the menu showed before the movie was seen";
        EXPECT_FALSE(cursor_meanwhile && mismatch.empty()) << "the cursor shows over the movie";
        if (mismatch.empty() && keep_screenshot)
            SaveArtifact(WholeScreen(),
                         "movie-" + std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()));

        ASSERT_TRUE(run.WaitForMenu());
        EXPECT_TRUE(WaitFor(CursorShowing, kWindowTimeout)) << "the cursor is still hidden over the menu";
    }
};

TEST_F(Movie, NoticeOverBlackFrameThenMovieFillsScreenThenMenuWithDeviceClosed) {
    // An Escape pressed and released before the start, in another program, does not skip it.
    ASSERT_TRUE(SendKeys({VK_ESCAPE}));
    ASSERT_TRUE(app().Start(folder().path()));
    if (HWND box = Notice()) {
        // Over the black frame, before the menu window exists, with the cursor hidden.
        EXPECT_TRUE(IsShown(app().Frame()));
        EXPECT_TRUE(app().Menu() == nullptr);
        EXPECT_FALSE(CursorShowing()) << "the cursor shows during the notice";
        RECT around = WindowRectOf(box);
        ScreenCapture shot = ScreenCapture::WholeScreen();
        const int w = ScreenWidth(), h = ScreenHeight();
        for (POINT p : {POINT{2, 2}, POINT{w - 3, 2}, POINT{2, h - 3}, POINT{w - 3, h - 3},
                        POINT{w / 2, around.top - 5}, POINT{around.left - 5, h / 2}, POINT{w / 2, around.bottom + 5}}) {
            EXPECT_TRUE(IsBlack(shot.Pixel(p.x, p.y)))
                << "(" << p.x << ", " << p.y << ") is " << ColorText(shot.Pixel(p.x, p.y));
        }
        ASSERT_TRUE(DismissMessageBox(box));
    }

    // The movie shows on the frame, stretched over the whole screen, before the menu comes.
    ASSERT_NO_FATAL_FAILURE(ExpectMovieThenMenu(app(), true));
    EXPECT_FALSE(DeviceWindowLeft(app())) << "the movie device was not closed";
    // The frame was wiped: no mark stays around the menu window.
    const POINT corner = OnScreen(assetgen::kCornerMarkWidth / 2.0, assetgen::kCornerMarkWidth / 2.0);
    COLORREF left = CLR_INVALID;
    EXPECT_TRUE(WaitFor([&] { return IsBlack(left = ScreenPixel(corner.x, corner.y)); }, kWindowTimeout))
        << "a corner mark stays on the frame: " << ColorText(left);
    EXPECT_TRUE(NoDialogShowing(app().pid()));
    PostAltF4(app().Menu());
    EXPECT_EQ(0u, app().WaitForExit().code);

    // Once more on the Windows 95 family: no notice, the movie without the cursor, then the menu
    // with it.
    if (!ProgramSeesNtFamily()) return;
    NinetyFiveFamily family;
    ASSERT_TRUE(family.ok()) << "the program cannot be made to see the Windows 95 family";
    App again;
    ASSERT_TRUE(again.Start(folder().path()));
    ASSERT_NO_FATAL_FAILURE(ExpectMovieThenMenu(again, false));
    EXPECT_TRUE(NoDialogShowing(again.pid()));
    PostAltF4(again.Menu());
    EXPECT_EQ(0u, again.WaitForExit().code);
}

TEST_F(Movie, EscapeHeldWhenItStartsEndsItAtOnceAndTheMenuFollows) {
    ASSERT_TRUE(app().Start(folder().path()));
    HWND box = Notice();
    EscapeHeld escape;
    // Escape may answer the notice itself; otherwise OK does.
    if (box && !WaitUntilGone(box, 500)) {
        ASSERT_TRUE(DismissMessageBox(box));
    }
    const Deadline movie_started(kStartTimeout);
    ASSERT_TRUE(app().WaitForMenu());
    const DWORD took = movie_started.Elapsed();
    EXPECT_LT(took, kMovieMs / 2) << "the menu came " << took << " ms after the movie started; the movie lasts "
                                  << kMovieMs << " ms";
    EXPECT_FALSE(DeviceWindowLeft(app())) << "the movie device was not closed after Escape";
}

// Without a movie that the device can open, start-up goes straight on to the menu: no notice.
TEST_F(Movie, MissingOrDamagedMovieGoesStraightToTheMenu) {
    const std::string movie = folder().Read(kIntroMovie);
    ASSERT_GT(movie.size(), 200u);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"missing", ""},
        {"cut short after its headers", movie.substr(0, 200)},
        {"not a movie", "RIFF\x10\0\0\0AVI junk junk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        if (c.second.empty()) {
            ASSERT_TRUE(folder().Delete(kIntroMovie));
        } else {
            ASSERT_TRUE(folder().Write(kIntroMovie, c.second));
        }
        App run;
        ASSERT_TRUE(run.Start(folder().path()));
        EXPECT_TRUE(run.WaitForMenu()) << "any message box fails here";
        EXPECT_FALSE(DeviceWindowLeft(run));
        PostAltF4(run.Menu());
        EXPECT_EQ(0u, run.WaitForExit().code);
    }
}

}  // namespace
}  // namespace zorv_e2e
