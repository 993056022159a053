// The screens at a high display resolution: a player whose Wine prefix sets
// HKCU\Control Panel\Desktop\LogPixels to 120, 144 or 192 sees every screen (main menu, options
// menu, audio, video, keys, how to play) as at 96 dots per inch, captions and control texts
// included, and the scroll bars and drop-down lists the system draws. One program run per
// resolution walks all six screens; each screen's client area is compared pixel by pixel with the
// same screen of the run at 96, and where the screen and each of its controls stand.
//
// Each program reads the resolution as it starts, so the runs take turns in one Wine session.
// The test sets the prefix's LogPixels and puts it back at its end; it runs only in a prefix of
// its own (zorv_wine_use_dpi_prefix in scripts/wine-env.sh) and passes over itself elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_buttons.h"
#include "driver.h"
#include "howtoplay/howto_buttons.h"
#include "keys/key_buttons.h"
#include "platform/gdi_guards_win.h"
#include "platform/unique_handle.h"
#include "video/video_buttons.h"

namespace zorv_e2e {
namespace {

constexpr DWORD kReferenceDpi = 96;
constexpr DWORD kHighDpis[] = {120, 144, 192};
// The resolution whose pictures are always kept as artefacts; the others' only when they fail.
constexpr DWORD kKeptDpi = 144;
// The share of a screen's compared pixels that may differ from the screen at 96.
constexpr double kMostDiffering = 0.005;

inline constexpr ScreenSpec kAudioScreen{"audio", zorv::kAudioTable, kSmallWindowBackground};
inline constexpr ScreenSpec kVideoScreen{"video", zorv::kVideoTable, kSmallWindowBackground};
inline constexpr ScreenSpec kKeysScreen{"keys", zorv::kKeyButtonTable, kKeysBackground};
inline constexpr ScreenSpec kHowToScreen{"how to play", zorv::kHowToPlayTable, kHowToPlayPictures[0]};
inline constexpr const ButtonSpec& kAudioDone = ButtonOf(zorv::kAudioTable, zorv::kCommandAudioDone);
inline constexpr const ButtonSpec& kVideoDone = ButtonOf(zorv::kVideoTable, zorv::kCommandVideoDone);
inline constexpr const ButtonSpec& kKeysCancel = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandKeysCancel);
inline constexpr const ButtonSpec& kHowToClose = ButtonOf(zorv::kHowToPlayTable, zorv::kCommandCloseHowToPlay);

// HKCU\Control Panel\Desktop\LogPixels for the programs started while it is set; the value it
// had, or its absence, comes back when the guard goes.
class LogPixelsSetting {
public:
    LogPixelsSetting() {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD type = 0, size = sizeof old_;
        had_ = RegQueryValueExA(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS &&
               type == REG_DWORD;
    }
    ~LogPixelsSetting() {
        if (!key_) return;
        if (had_) {
            Set(old_);
        } else {
            RegDeleteValueA(key_, kValue);
        }
        RegCloseKey(key_);
    }
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;

    bool Set(DWORD dpi) const {
        return key_ && RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
                           ERROR_SUCCESS;
    }

private:
    static constexpr const char* kValue = "LogPixels";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

// A control of a screen: its window class and place in the screen's client coordinates.
struct Control {
    std::string kind;
    RECT place;
};

bool operator==(const Control& a, const Control& b) { return a.kind == b.kind && EqualRect(&a.place, &b.place); }

std::vector<Control> ControlsOf(HWND window) {
    std::vector<Control> controls;
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        RECT place = WindowRectOf(control);
        const POINT origin = ClientToScreenOf(window, {0, 0});
        OffsetRect(&place, -origin.x, -origin.y);
        controls.push_back({ClassOf(control), place});
    }
    return controls;
}

std::string Describe(const std::vector<Control>& controls) {
    std::string text;
    for (const Control& c : controls) text += (text.empty() ? "" : ", ") + c.kind + " " + RectText(c.place);
    return "[" + text + "]";
}

// One screen as a run saw it.
struct ScreenLook {
    std::string screen;
    ScreenCapture shot;
    std::vector<Control> controls;
};

struct Difference {
    int differing = 0;
    int compared = 0;
    double Share() const { return compared > 0 ? static_cast<double>(differing) / compared : 1.0; }
};

// Pixels of two captures of one screen that differ. Where the sizes differ, every pixel that only
// one of them has counts too.
Difference Compare(const ScreenCapture& a, const ScreenCapture& b) {
    const int aw = a.rect().right - a.rect().left, ah = a.rect().bottom - a.rect().top;
    const int bw = b.rect().right - b.rect().left, bh = b.rect().bottom - b.rect().top;
    const int w = aw < bw ? aw : bw, h = ah < bh ? ah : bh;
    Difference d;
    d.differing = aw * ah + bw * bh - 2 * w * h;
    d.compared = d.differing;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ++d.compared;
            if (a.Pixel(a.rect().left + x, a.rect().top + y) != b.Pixel(b.rect().left + x, b.rect().top + y))
                ++d.differing;
        }
    }
    return d;
}

std::string Percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", share * 100);
    return text;
}

void Keep(const ScreenCapture& shot, DWORD dpi, const std::string& screen) {
    const std::string folder = ArtifactsFolder();
    if (folder.empty() || !CreateFolders(folder)) return;
    shot.SaveBmp(JoinPath(folder, FileNameSafe("Dpi." + std::to_string(dpi) + "dpi." + screen) + ".bmp"));
}

// The system draws the faces of its controls (bars, lists, fields) light; the screens' pictures
// are dark where they stand.
bool IsLight(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) > 3 * 128; }

// Every visible control of the window shows in the capture: most of its pixels are light.
bool ControlsShow(HWND window, const ScreenCapture& shot) {
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        const RECT place = WindowRectOf(control);
        int light = 0, all = 0;
        for (int y = place.top; y < place.bottom; ++y) {
            for (int x = place.left; x < place.right; ++x, ++all) light += IsLight(shot.Pixel(x, y)) ? 1 : 0;
        }
        if (2 * light < all) return false;
    }
    return true;
}

// The window's client area once its controls show and two captures in a row are alike: the
// screen has been drawn whole and nothing on it moves.
ScreenLook SettledLook(const std::string& screen, HWND window) {
    ScreenCapture last(ClientRectOnScreen(window));
    const bool settled = WaitFor(
        [&] {
            ScreenCapture now(ClientRectOnScreen(window));
            const bool alike = now.ok() && last.ok() && Compare(now, last).differing == 0 && ControlsShow(window, now);
            last = now;
            return alike;
        },
        kWindowTimeout);
    EXPECT_TRUE(settled) << "the " << screen << " screen was not drawn whole or did not settle";
    return {screen, last, ControlsOf(window)};
}

// One run of the program at one resolution, from start to the last screen. Each screen is shown
// to `look` once its buttons are drawn, with the pointer away from every button.
class Walk {
public:
    using Viewer = std::function<void(const std::string& screen, HWND window)>;

    Walk(DWORD dpi, Viewer look) : folder_("Dpi." + std::to_string(dpi)), look_(std::move(look)) {}
    ~Walk() { app_.Kill(); }

    void Run() {
        ASSERT_TRUE(folder_.ok()) << folder_.error();
        ParkCursor();
        ASSERT_TRUE(StartToMenu(app_, folder_.path()));
        menu_.reset(new MenuView(app_.Menu(), Exe(), folder_.path()));
        ASSERT_TRUE(menu_->ok()) << menu_->error();
        ASSERT_TRUE(menu_->ShowsWhole(kMainScreen));
        look_("main menu", app_.Menu());

        menu_->ClickAt(kOption);
        ASSERT_NO_FATAL_FAILURE(ShowOptions());
        look_("options menu", app_.Menu());

        ASSERT_NO_FATAL_FAILURE(Visit(kAudio, IDC_AUDIO_MUSIC, kAudioScreen, kAudioDone, true));
        ASSERT_NO_FATAL_FAILURE(Visit(kVideo, IDC_VIDEO_DRIVERS, kVideoScreen, kVideoDone));
        ASSERT_NO_FATAL_FAILURE(Visit(kSetupInput, zorv::kKeyFields[0].controlId, kKeysScreen, kKeysCancel));
        ASSERT_NO_FATAL_FAILURE(Visit(kHowToPlay, 0, kHowToScreen, kHowToClose));
    }

private:
    std::string Exe() const { return folder_.PathOf(kProgramFile); }

    void ShowOptions() {
        ParkCursor();
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    }

    // Opens a screen from the options menu (a dialog with this control; 0: with none), shows it,
    // and leaves it with its button. The program's message boxes on the way (the mixer's, where
    // the prefix has no sound) are dismissed. `elsewhere`: the player works in another program (a
    // window of this test) while the screen opens, so that no window of the program is active.
    void Visit(const ButtonSpec& opener, int control, const ScreenSpec& screen, const ButtonSpec& leave,
               bool elsewhere = false) {
        zorv::UniqueHandle<zorv::CloseWith<HWND, DestroyWindow>> other(
            elsewhere ? CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 40,
                                        40, nullptr, nullptr, nullptr, nullptr)
                      : nullptr);
        ASSERT_TRUE(!elsewhere || Activate(other.get())) << "another program cannot be put in front";
        menu_->ClickAt(opener);
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                DismissBoxes();
                dialog = control ? FindDialogWith(app_.pid(), control) : FindDialog(app_.pid());
                return dialog != nullptr || !app_.IsRunning();
            },
            kWindowTimeout);
        ASSERT_TRUE(dialog != nullptr) << "the " << screen.name << " screen did not open; " << app_.EndedText();
        ButtonView view(dialog, Exe(), folder_.path(), {screen});
        ASSERT_TRUE(view.ok()) << view.error();
        ParkCursor();
        // Controls and captions cover parts of the background: the buttons tell that it is drawn.
        for (int i = 0; i < screen.table.count; ++i) ASSERT_TRUE(view.Shows(screen.table.buttons[i], Look::kNormal));
        DismissBoxes();
        look_(screen.name, dialog);
        view.ClickAt(leave);
        ASSERT_TRUE(WaitUntilGone(dialog)) << "the " << screen.name << " screen stayed open";
        ASSERT_NO_FATAL_FAILURE(ShowOptions());
    }

    // The system's boxes stand centred on the screen at every resolution.
    void DismissBoxes() {
        for (HWND box : TopLevelWindows(app_.pid(), kDialogClass, kMessageCaption)) {
            if (!IsShown(box)) continue;
            const RECT place = WindowRectOf(box);
            const int dx = place.left + place.right - GetSystemMetrics(SM_CXSCREEN);
            const int dy = place.top + place.bottom - GetSystemMetrics(SM_CYSCREEN);
            EXPECT_TRUE(dx * dx + dy * dy <= 2 * 2 * 2) << "a box stands at " << RectText(place);
            DismissMessageBox(box);
        }
    }

    ScratchFolder folder_;
    App app_;
    std::unique_ptr<MenuView> menu_;
    Viewer look_;
};

class Dpi : public ::testing::Test {
protected:
    void SetUp() override {
        const char* own = std::getenv("ZORV_DPI_PREFIX");
        if (!own || std::string(own) != "1") {
            GTEST_SKIP() << "sets the Wine prefix's LogPixels: runs only in a prefix of its own "
                            "(zorv_wine_use_dpi_prefix in scripts/wine-env.sh)";
        }
    }

    void TearDown() override {
        if (HasFailure()) SaveArtifact(WholeScreen(), CurrentTestName() + ".failure");
    }

    // The screen at `dpi` against the same screen at 96, compared until it is drawn as there or
    // the deadline passes.
    void Expect96Look(DWORD dpi, const ScreenLook& reference, const std::string& screen, HWND window) {
        ASSERT_EQ(reference.screen, screen);
        const std::vector<Control> controls = ControlsOf(window);
        EXPECT_TRUE(controls == reference.controls)
            << "at " << dpi << " dots per inch the " << screen << " screen's controls stand at " << Describe(controls)
            << ", at 96 at " << Describe(reference.controls);
        const RECT place = ClientRectOnScreen(window);
        EXPECT_TRUE(EqualRect(&place, &reference.shot.rect()))
            << "at " << dpi << " dots per inch the " << screen << " screen stands at " << RectText(place)
            << ", at 96 at " << RectText(reference.shot.rect());
        ScreenCapture shot(ClientRectOnScreen(window));
        Difference difference;
        WaitFor(
            [&] {
                shot = ScreenCapture(ClientRectOnScreen(window));
                difference = Compare(reference.shot, shot);
                return difference.Share() <= kMostDiffering && ControlsShow(window, shot);
            },
            kWindowTimeout);
        std::printf("%lu dpi, %s: %s of the pixels differ from 96 dpi\n", static_cast<unsigned long>(dpi),
                    screen.c_str(), Percent(difference.Share()).c_str());
        const bool same = difference.Share() <= kMostDiffering;
        if (dpi == kKeptDpi || !same) Keep(shot, dpi, screen);
        if (!same) Keep(reference.shot, kReferenceDpi, screen);
        EXPECT_TRUE(same) << "at " << dpi << " dots per inch the " << screen << " screen differs from 96 in "
                          << difference.differing << " of " << difference.compared << " pixels ("
                          << Percent(difference.Share()) << ")";
    }
};

TEST_F(Dpi, EveryScreenAtAHighResolutionLooksAsAt96DotsPerInch) {
    LogPixelsSetting logPixels;
    std::vector<ScreenLook> references;
    ASSERT_TRUE(logPixels.Set(kReferenceDpi));
    {
        Walk walk(kReferenceDpi,
                  [&](const std::string& screen, HWND window) { references.push_back(SettledLook(screen, window)); });
        ASSERT_NO_FATAL_FAILURE(walk.Run());
    }
    ASSERT_EQ(6u, references.size());

    for (DWORD dpi : kHighDpis) {
        ASSERT_TRUE(logPixels.Set(dpi));
        size_t next = 0;
        Walk walk(dpi, [&](const std::string& screen, HWND window) {
            ASSERT_LT(next, references.size());
            Expect96Look(dpi, references[next++], screen, window);
        });
        ASSERT_NO_FATAL_FAILURE(walk.Run());
        EXPECT_EQ(references.size(), next) << "at " << dpi << " dots per inch";
    }
}

}  // namespace
}  // namespace zorv_e2e
