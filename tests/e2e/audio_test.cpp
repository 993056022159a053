// The audio settings screen as the player uses it: opened from the options menu over it, its
// bars moved by clicks in the trough and by dragging the thumb, DEFAULT and DONE, the file it
// leaves, the keys that must not close it, the mixer messages of a prefix without sound, and
// the configuration-file error dialog for a file it cannot read or write.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_buttons.h"
#include "driver.h"

namespace zorv_e2e {
namespace {

inline constexpr ScreenSpec kAudioScreen{"audio screen", zorv::kAudioTable, kSmallWindowBackground};
inline constexpr const ButtonSpec& kDone = ButtonOf(zorv::kAudioTable, zorv::kCommandAudioDone);
inline constexpr const ButtonSpec& kDefault = ButtonOf(zorv::kAudioTable, zorv::kCommandAudioDefault);

const char* const kMixerTexts[] = {" Mixer Open Error1", " Mixer Open Error2", "mixer memory allocation error",
                                   " Mixer Open Error3"};

// Bands just above the bars where the captions are written.
constexpr RECT kCaptionBands[] = {{22, 53, 256, 70}, {22, 133, 256, 152}};

int Position(HWND bar) { return GetScrollPos(bar, SB_CTL); }

RECT AsRect(const zorv::ButtonRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// r, given in screen coordinates, relative to the client origin of a window.
RECT InClient(const RECT& r, HWND window) {
    const RECT client = ClientRectOnScreen(window);
    return RECT{r.left - client.left, r.top - client.top, r.right - client.left, r.bottom - client.top};
}

class AudioScreen : public GameTest {
protected:
    void StartInOptions(const std::string& audioFile) {
        ASSERT_TRUE(folder().Write(kAudioSettingsFile, audioFile));
        ASSERT_TRUE(StartToMenu());
        menu_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(menu_->ok()) << menu_->error();
        menu_->ClickAt(kOption);
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    }

    // AUDIO CALIBRATION; the mixer's message boxes on the way are kept and dismissed.
    void Open() {
        menu_->ClickAt(kAudio);
        ASSERT_NO_FATAL_FAILURE(Opened());
    }
    void Opened() {
        told_.clear();
        dialog_ = nullptr;
        Settles([&] { return (dialog_ = FindDialogWith(app().pid(), IDC_AUDIO_MUSIC)) || !app().IsRunning(); });
        ASSERT_TRUE(dialog_ != nullptr) << "the audio screen did not open";
        view_.reset(new ButtonView(dialog_, folder().PathOf(kProgramFile), folder().path(), {kAudioScreen}));
        ASSERT_TRUE(view_->ok()) << view_->error();
    }

    HWND Bar(int id) { return GetDlgItem(dialog_, id); }

    // Waits until the bars show these values; message boxes meanwhile are kept and dismissed.
    ::testing::AssertionResult Shows(int music, int sound) {
        if (Settles([&] { return Position(Bar(IDC_AUDIO_MUSIC)) == music && Position(Bar(IDC_AUDIO_SOUND)) == sound; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "bars at " << Position(Bar(IDC_AUDIO_MUSIC)) << " and " << Position(Bar(IDC_AUDIO_SOUND))
               << ", expected " << music << " and " << sound;
    }

    // A click in the bar's trough, left or right of the thumb, as the player's mouse gives it:
    // posted, since the bar follows the button in a loop of its own until it comes up.
    void ClickTrough(int id, bool right) {
        HWND bar = Bar(id);
        const int x = right ? ClientRectOf(bar).right - 30 : 30;
        const LPARAM at = MAKELPARAM(x, ClientRectOf(bar).bottom / 2);
        PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(bar, WM_LBUTTONUP, 0, at);
    }

    // Four clicks in a trough, each awaited: the values the player sees one after the other.
    std::string FourClicks(int id, bool right) {
        std::string seen;
        HWND bar = Bar(id);
        for (int click = 0; click < 4; ++click) {
            const int before = Position(bar);
            ClickTrough(id, right);
            Settles([&] { return Position(bar) != before || (right ? before == 50 : before == 0); });
            seen += std::to_string(Position(bar)) + " ";
        }
        return seen;
    }

    // The thumb of a bar dragged from the left end to the right in steps; the positions the bar
    // showed while the button was held. The real pointer goes along: a move the system makes up
    // while the bar tracks (on taking the capture, for one) reports where the pointer really is,
    // and from beside the dialog that would put the thumb back where the drag began.
    std::vector<int> DragThumbFromLeftEnd(int id) {
        HWND bar = Bar(id);
        const int y = ClientRectOf(bar).bottom / 2;
        int x = GetSystemMetrics(SM_CXHSCROLL) + GetSystemMetrics(SM_CXHTHUMB) / 2;
        PostPointer(bar, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        std::vector<int> positions;
        for (int step = 0; step < 3; ++step) {
            x += 40;
            const int before = Position(bar);
            PostPointer(bar, WM_MOUSEMOVE, MK_LBUTTON, x, y);
            Settles([&] { return Position(bar) != before; });
            positions.push_back(Position(bar));
        }
        PostPointer(bar, WM_LBUTTONUP, 0, x, y);
        return positions;
    }

    // The left button goes down on DONE and stays down.
    void PressOnDone() {
        const POINT at = Centre(kDone);
        SendNotifyMessageA(dialog_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    }

    // DONE closes the screen on the press alone.
    ::testing::AssertionResult PressDone() {
        PressOnDone();
        if (WaitUntilGone(dialog_)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the audio screen is still open after DONE was pressed";
    }

    // DEFAULT and then DONE on a file that cannot be written: the error dialog and the end.
    void ExpectFailedSave() {
        view_->ClickAt(kDefault);
        ASSERT_TRUE(Shows(25, 25));
        PressOnDone();
        ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit());
    }

    // Every box of this opening showed one of the mixer's texts, none twice.
    void ExpectEachMixerTextAtMostOnce() {
        for (const std::string& text : told_) {
            EXPECT_NE(std::end(kMixerTexts), std::find(std::begin(kMixerTexts), std::end(kMixerTexts), text))
                << "unexpected message \"" << text << "\"";
            EXPECT_EQ(1, std::count(told_.begin(), told_.end(), text)) << "\"" << text << "\" was shown again";
        }
    }

    // The configuration-file error dialog with the file's full path; OK ends with code 1.
    void ExpectConfigErrorThenExit() {
        HWND error = WaitForDialogWith(app().pid(), IDC_CONFIG_ERROR_TEXT);
        ASSERT_TRUE(error != nullptr) << "no configuration-file error dialog";
        EXPECT_EQ(folder().PathOf(kAudioSettingsFile), DialogItemText(error, IDC_CONFIG_ERROR_TEXT));
        ASSERT_TRUE(ClickDialogButton(error, IDC_CONFIG_ERROR_OK));
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after OK";
        EXPECT_EQ(1u, exit.code);
    }

    // Points of the background between the bars and the buttons, and below the buttons, that
    // differ from the picture.
    int BackgroundMisses(const ScreenCapture& shot) {
        const Picture picture = LoadBitmapFile(folder().PathOf(kSmallWindowBackground));
        if (!picture.ok()) return -1;
        const RECT client = ClientRectOnScreen(dialog_);
        int misses = 0;
        for (int y : {180, 200, 220, 330, 345}) {
            for (int x = 10; x < picture.width; x += 20) {
                const COLORREF expected =
                    RGB((picture.At(x, y) >> 16) & 0xFF, (picture.At(x, y) >> 8) & 0xFF, picture.At(x, y) & 0xFF);
                if (shot.Pixel(client.left + x, client.top + y) != expected) ++misses;
            }
        }
        return misses;
    }

    // Screen pixels of the caption green (anti-aliased edges keep red and blue at 0) in a band
    // of the screen's client area.
    int GreenPixels(const ScreenCapture& shot, const RECT& band) {
        const RECT client = ClientRectOnScreen(dialog_);
        int count = 0;
        for (int y = band.top; y < band.bottom; ++y) {
            for (int x = band.left; x < band.right; ++x) {
                COLORREF c = shot.Pixel(client.left + x, client.top + y);
                if (GetRValue(c) == 0 && GetBValue(c) == 0 && GetGValue(c) >= 128) ++count;
            }
        }
        return count;
    }

    // Waits for `state`; the mixer's message boxes meanwhile are kept and dismissed.
    bool Settles(const std::function<bool()>& state) {
        auto dismissing = [&] {
            DismissMessages();
            return state();
        };
        return WaitFor(dismissing, kWindowTimeout);
    }

    void DismissMessages() {
        for (HWND box : TopLevelWindows(app().pid(), kDialogClass, kMessageCaption)) {
            if (!IsShown(box)) continue;
            told_.push_back(MessageBoxText(box));
            DismissMessageBox(box);
        }
    }

    std::unique_ptr<MenuView> menu_;
    std::unique_ptr<ButtonView> view_;
    HWND dialog_ = nullptr;
    std::vector<std::string> told_;
};

// Three openings in one run: defaults shown over stored values, the look and place of the
// screen, keys that do not close it, clicks in the troughs, a drag, DONE and DEFAULT.
TEST_F(AudioScreen, BarsMoveAndDoneSavesWhatTheyShow) {
    ASSERT_NO_FATAL_FAILURE(StartInOptions("0\r\nMusic 40\r\nSound 10\r\n"));

    // First opening: the custom flag is 0, so both bars show 25 whatever the file holds.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Shows(25, 25));
    EXPECT_FALSE(told_.empty()) << "a prefix without sound shows a mixer message";
    // The mixer's box has no owner; once it is gone the options menu is in front of the frame again.
    const RECT menu_rect = WindowRectOf(app().Menu());
    const POINT beside{menu_rect.left + 100, menu_rect.top + 440};
    EXPECT_TRUE(WaitFor([&] { return WindowFromPoint(beside) == app().Menu(); }, kWindowTimeout))
        << "the menu window is behind " << ClassOf(WindowFromPoint(beside));
    EXPECT_TRUE(SameRect(ClientRectOf(dialog_), RECT{0, 0, 280, 352}));
    EXPECT_TRUE(SameRect(InClient(ClientRectOnScreen(dialog_), app().Menu()), AsRect(zorv::kAudioClientPlace)));
    for (const zorv::ControlSpec& bar : zorv::kVolumeBars) {
        EXPECT_TRUE(SameRect(InClient(WindowRectOf(Bar(bar.controlId)), dialog_), AsRect(bar.Pixels())))
            << "bar " << bar.controlId;
    }
    EXPECT_TRUE(view_->Shows(kDone, Look::kNormal));
    EXPECT_TRUE(view_->Shows(kDefault, Look::kNormal));
    const ScreenCapture shot(ClientRectOnScreen(app().Menu()));
    EXPECT_EQ(0, BackgroundMisses(shot)) << "the background picture does not show";
    for (const RECT& band : kCaptionBands) EXPECT_GT(GreenPixels(shot, band), 40) << "no green caption above a bar";
    SaveArtifact(ClientRectOnScreen(app().Menu()), "audio_screen_over_options");

    // Enter, Escape and Alt+F4 are posted before the clicks, so they have been handled once
    // the bar has moved.
    PostKey(dialog_, VK_RETURN);
    PostKey(dialog_, VK_ESCAPE);
    PostAltF4(dialog_);
    EXPECT_EQ("35 45 50 50 ", FourClicks(IDC_AUDIO_SOUND, true));
    EXPECT_TRUE(IsShown(dialog_)) << "a key closed the audio screen";
    ExpectEachMixerTextAtMostOnce();
    ASSERT_TRUE(PressDone());
    EXPECT_EQ("1\r\nMusic 25\r\nSound 50\r\n", folder().Read(kAudioSettingsFile)) << "moving only Sound sets the flag";
    EXPECT_TRUE(menu_->ShowsWhole(kOptionsScreen)) << "the options menu is not repainted whole";
    // The pointer has stayed on AUDIO CALIBRATION since it opened the screen, and the button keeps
    // its hover flag: a move within it lights nothing; leaving and coming back does.
    const POINT audio = Centre(kAudio);
    menu_->MoveTo(POINT{audio.x + 40, audio.y + 6});
    EXPECT_TRUE(menu_->Shows(kAudio, Look::kNormal));
    menu_->MoveTo(kEmptySpot);
    menu_->MoveTo(kAudio);
    EXPECT_TRUE(menu_->Shows(kAudio, Look::kHighlighted));

    // Second opening: the stored values; the Music bar clicked left, then its thumb dragged.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Shows(25, 50));
    EXPECT_EQ("15 5 0 0 ", FourClicks(IDC_AUDIO_MUSIC, false));
    const std::vector<int> dragged = DragThumbFromLeftEnd(IDC_AUDIO_MUSIC);
    ASSERT_EQ(3u, dragged.size());
    EXPECT_TRUE(0 < dragged[0] && dragged[0] < dragged[1] && dragged[1] < dragged[2] && dragged[2] < 50)
        << "the bar did not follow the thumb: " << dragged[0] << ", " << dragged[1] << ", " << dragged[2];
    ExpectEachMixerTextAtMostOnce();
    ASSERT_TRUE(PressDone());
    EXPECT_EQ("1\r\nMusic " + std::to_string(dragged.back()) + "\r\nSound 50\r\n", folder().Read(kAudioSettingsFile));

    // Third opening: DEFAULT puts both bars back to 25 and clears the flag; DONE saves that.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Shows(dragged.back(), 50));
    view_->ClickAt(kDefault);
    EXPECT_TRUE(Shows(25, 25));
    EXPECT_TRUE(IsShown(dialog_)) << "DEFAULT closed the screen";
    ASSERT_TRUE(PressDone());
    EXPECT_EQ("0\r\nMusic 25\r\nSound 25\r\n", folder().Read(kAudioSettingsFile));

    // Fourth opening, with keys only: Space on the options menu shows the focus on the button used
    // last, a second Space opens its screen, with the Music bar focused (the release of that Space
    // is not the screen's); Tab goes through the bars and the buttons, the arrows move a bar, Enter
    // and Escape do nothing, Space presses the focused button, once it shows.
    menu_->MoveTo(kEmptySpot);  // off the place where DEFAULT will stand
    ASSERT_TRUE(Activate(app().Menu()) && SendKeys({VK_SPACE}) && SendKeys({VK_SPACE}));
    ASSERT_NO_FATAL_FAILURE(Opened());
    // The opening and every move of a bar set the mixer, whose message boxes go before the next key.
    auto keys = [&](const std::vector<WORD>& vks, const std::function<bool()>& taken) {
        ASSERT_TRUE(Settles(
            [&] { return IsShown(dialog_) && TopLevelWindows(app().pid(), kDialogClass, kMessageCaption).empty(); }));
        ASSERT_TRUE(Activate(dialog_) && SendKeys(vks));
        EXPECT_TRUE(Settles(taken)) << "key " << vks.back();
    };
    auto bars = [&](int music, int sound) {
        return [=] { return Position(Bar(IDC_AUDIO_MUSIC)) == music && Position(Bar(IDC_AUDIO_SOUND)) == sound; };
    };
    auto lit = [&](const ButtonSpec& button) {
        const ButtonSpec& other = &button == &kDone ? kDefault : kDone;
        return [&] { return view_->Shows(button, Look::kHighlighted, 0) && view_->Shows(other, Look::kNormal, 0); };
    };
    auto focused = [&](int bar) { return [=] { return FocusOf(dialog_) == Bar(bar); }; };
    keys({VK_RIGHT}, bars(35, 25));
    keys({VK_TAB}, focused(IDC_AUDIO_SOUND));
    keys({VK_LEFT}, bars(35, 15));
    keys({VK_TAB}, lit(kDone));
    keys({VK_RETURN}, [] { return true; });
    keys({VK_ESCAPE}, [] { return true; });
    keys({VK_TAB}, lit(kDefault));  // after Enter and Escape, which left the screen open
    keys({VK_SHIFT, VK_TAB}, lit(kDone));
    // The pointer on DEFAULT hides the focus: Space shows it on DONE and presses nothing.
    view_->MoveTo(kDefault);
    keys({VK_SPACE},
         [&] { return view_->Shows(kDone, Look::kHighlighted, 0) && view_->Shows(kDefault, Look::kHighlighted, 0); });
    EXPECT_TRUE(bars(35, 15)()) << "Space on a hidden focus pressed DEFAULT";
    keys({VK_SPACE}, [&] { return !IsWindow(dialog_); });
    EXPECT_EQ("1\r\nMusic 35\r\nSound 15\r\n", folder().Read(kAudioSettingsFile));
}

TEST_F(AudioScreen, MissingFileAtOpeningEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartInOptions(""));
    ASSERT_TRUE(folder().Delete(kAudioSettingsFile));
    menu_->ClickAt(kAudio);
    ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit());
    EXPECT_FALSE(folder().Exists(kAudioSettingsFile));
}

TEST_F(AudioScreen, ReadOnlyFileAtDoneEndsTheProgramAndStaysAsItWas) {
    const std::string stored = "1\r\nMusic 7\r\nSound 8\r\n";
    ASSERT_NO_FATAL_FAILURE(StartInOptions(stored));
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(folder().SetReadOnly(kAudioSettingsFile));
    ASSERT_NO_FATAL_FAILURE(ExpectFailedSave());
    EXPECT_EQ(stored, folder().Read(kAudioSettingsFile));
}

// Held open without sharing, the file can be neither replaced nor rewritten.
TEST_F(AudioScreen, LockedFileAtDoneEndsTheProgramAndStaysAsItWas) {
    const std::string stored = "1\r\nMusic 7\r\nSound 8\r\n";
    ASSERT_NO_FATAL_FAILURE(StartInOptions(stored));
    const std::vector<std::string> files = FilesIn(folder().PathOf("info"));
    ASSERT_NO_FATAL_FAILURE(Open());
    {
        FileHold hold(folder().PathOf(kAudioSettingsFile));
        ASSERT_TRUE(hold.ok());
        ASSERT_NO_FATAL_FAILURE(ExpectFailedSave());
    }
    EXPECT_EQ(stored, folder().Read(kAudioSettingsFile));
    EXPECT_EQ(files, FilesIn(folder().PathOf("info"))) << "the failed save left a file behind";
}

}  // namespace
}  // namespace zorv_e2e
