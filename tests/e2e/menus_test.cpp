// The two menu screens as the player uses them: image buttons that light up under the pointer,
// show a pressed picture and sound, the switch between the main and the options menu, repaints,
// QUIT, the first-run flag file kept across runs, and the error dialog for a flag file that
// cannot be read or written.
//
// The options buttons other than CLOSE open dialogs of their own, tested with those dialogs;
// here they are pointed at and left alone, never pressed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "howtoplay/howto_buttons.h"

namespace zorv_e2e {
namespace {

// The value of the "wm:" line of a caption file: what follows the key and its one delimiter,
// up to the line end.
std::string ExplanationIn(const std::string& captions) {
    size_t at = captions.find("wm:");
    while (at != std::string::npos && at > 0 && captions[at - 1] != '\n') at = captions.find("wm:", at + 1);
    if (at == std::string::npos || at + 4 > captions.size()) return std::string();
    std::string value = captions.substr(at + 4);
    return value.substr(0, value.find_first_of("\r\n\t"));
}

class MenuTest : public GameTest {
protected:
    // Starts the program to its menu and loads the pictures to compare with.
    void StartMenu(const std::vector<std::string>& messages = {}) {
        ASSERT_TRUE(StartToMenu(messages));
        view_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(view_->ok()) << view_->error();
    }

    MenuView& view() { return *view_; }
    HWND menu() { return app().Menu(); }

    void EnterOptions() {
        view().ClickAt(kOption);
        ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    }

    // QUIT from the main menu; the program ends by itself with code 0.
    void Quit() {
        view().ClickAt(kQuit);
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after QUIT";
        EXPECT_EQ(0u, exit.code);
    }

    // The configuration-file error dialog, told apart by its error text field. The intro movie's
    // notice is passed over on the way.
    HWND WaitForConfigError() {
        HWND found = nullptr;
        std::string other;
        WaitFor(
            [&] {
                if (!app().IsRunning()) return true;
                HWND dialog = FindDialog(app().pid());
                if (!dialog) return false;
                if (GetDlgItem(dialog, IDC_CONFIG_ERROR_TEXT)) {
                    found = dialog;
                } else if (TextOf(dialog) == kMessageCaption && MessageBoxText(dialog) == kIntroNotice) {
                    DismissMessageBox(dialog);
                } else {
                    other = DescribeWindow(dialog);
                }
                return found || !other.empty();
            },
            kStartTimeout);
        if (found) return found;
        if (!other.empty()) {
            ADD_FAILURE() << "expected the configuration-file error dialog, but this showed: " << other;
        } else {
            ADD_FAILURE() << "no configuration-file error dialog "
                          << (app().IsRunning() ? "appeared" : "before the program ended");
        }
        return nullptr;
    }

    // Checks the dialog's texts, confirms it, and expects the program to end with code 1. The
    // explanation is the caption file's "wm:" text; a caption file without one (`with_explanation`
    // false) leaves it empty.
    void ExpectConfigErrorThenExit(HWND dialog, const std::string& path, bool with_explanation = true) {
        ASSERT_TRUE(dialog != nullptr);
        EXPECT_EQ("", TextOf(dialog)) << "the dialog has no caption";
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & DS_SYSMODAL) << "the dialog is system-modal";
        EXPECT_EQ(path, DialogItemText(dialog, IDC_CONFIG_ERROR_TEXT));
        const std::string explanation = ExplanationIn(folder().Read(kCaptionFile));
        EXPECT_EQ(with_explanation, !explanation.empty()) << "the \"wm:\" text of String.dat";
        EXPECT_EQ(explanation, DialogItemText(dialog, IDC_CONFIG_ERROR_EXPLANATION));
        ASSERT_TRUE(ClickDialogButton(dialog, IDC_CONFIG_ERROR_OK));
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after OK";
        EXPECT_EQ(1u, exit.code);
    }

    // Declines the driver question that a start button asks while the first-run flag is 0.
    void DeclineDriverCheck() {
        HWND question = WaitForDialogWith(app().pid(), IDC_DRIVER_CHECK_LATER);
        ASSERT_TRUE(question != nullptr) << "no driver check dialog after a press on a start button";
        ASSERT_TRUE(ClickDialogButton(question, IDC_DRIVER_CHECK_LATER));
        ASSERT_TRUE(WaitUntilGone(question));
    }

private:
    std::unique_ptr<MenuView> view_;
};

// ---------------------------------------------------------------------------------------------
// Image buttons

class MenuButtons : public MenuTest {};

TEST_F(MenuButtons, MainMenuButtonsLightUpWhileThePointerIsOnThem) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    EXPECT_EQ("", view().PictureProblems());
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));
    for (const ButtonSpec& button : zorv::kMainMenuButtons) {
        SCOPED_TRACE(NameOf(button));
        view().MoveTo(button);
        EXPECT_TRUE(view().ShowsWhole(kMainScreen, &button));  // only this one lit
        view().MoveTo(kEmptySpot);
        EXPECT_TRUE(view().Shows(button, Look::kNormal));
    }
}

TEST_F(MenuButtons, OptionsButtonsLightUpAndHandOverInOneMove) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(EnterOptions());
    for (const ButtonSpec& button : zorv::kOptionsMenuButtons) {
        SCOPED_TRACE(NameOf(button));
        view().MoveTo(button);
        EXPECT_TRUE(view().Shows(button, Look::kHighlighted));
        view().MoveTo(kEmptySpot);
        EXPECT_TRUE(view().Shows(button, Look::kNormal));
    }
    // Straight from one button onto the next, one pointer move each time.
    const ButtonSpec* previous = &zorv::kOptionsMenuButtons[0];
    view().MoveTo(*previous);
    ASSERT_TRUE(view().Shows(*previous, Look::kHighlighted));
    for (const ButtonSpec& button : zorv::kOptionsMenuButtons) {
        if (&button == previous) continue;
        SCOPED_TRACE("from " + NameOf(*previous) + " onto " + NameOf(button));
        view().MoveTo(button);
        EXPECT_TRUE(view().ShowsWhole(kOptionsScreen, &button));
        previous = &button;
    }
}

// The start buttons ask the driver question while the first-run flag is 0; declined, it leaves
// the menu as it was, with the pressed button still showing pressed.
TEST_F(MenuButtons, PressShowsThePressedPictureUntilThePointerLeaves) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    for (const ButtonSpec* button : {&kStartGame, &kNetworkGame}) {
        SCOPED_TRACE(NameOf(*button));
        view().MoveTo(*button);
        ASSERT_TRUE(view().Shows(*button, Look::kHighlighted));
        view().ClickAt(*button);
        // The question covers part of the button while it shows.
        ASSERT_NO_FATAL_FAILURE(DeclineDriverCheck());
        EXPECT_TRUE(view().Shows(*button, Look::kPressed));
        EXPECT_TRUE(NoDialogShowing(app().pid()));
        view().MoveTo(kEmptySpot);
        EXPECT_TRUE(view().Shows(*button, Look::kNormal));
    }
    // The declined starts left the screen as it was.
    EXPECT_TRUE(view().ShowsWhole(kMainScreen));
}

// The hot rectangle's right and bottom edges are outside it, although the picture covers them.
// With the first-run flag 0 a hit on START GAME writes the game-mode file and asks the driver
// question first; a miss does nothing.
TEST_F(MenuButtons, PressOnRightOrBottomEdgeOfStartGameMisses) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    const RECT hot = HotRect(kStartGame);
    view().ClickAt(POINT{hot.right, (hot.top + hot.bottom) / 2});
    view().ClickAt(POINT{(hot.left + hot.right) / 2, hot.bottom});
    // Every press above is handled before this move lights OPTION up.
    view().MoveTo(kOption);
    ASSERT_TRUE(view().Shows(kOption, Look::kHighlighted));
    EXPECT_TRUE(NoDialogShowing(app().pid()));
    EXPECT_FALSE(folder().Exists(kGameModeFile));
    EXPECT_TRUE(view().Shows(kStartGame, Look::kNormal));

    // One pixel further in, at the corner, it hits.
    view().ClickAt(POINT{hot.right - 1, hot.bottom - 1});
    HWND question = WaitForDialog(app().pid(), "");
    ASSERT_TRUE(question != nullptr) << "no driver check dialog after a press inside START GAME";
    ASSERT_TRUE(GetDlgItem(question, IDC_DRIVER_CHECK_LATER) != nullptr) << "not the driver check dialog";
    EXPECT_TRUE(folder().Exists(kGameModeFile));
    // "Later" stops the start; the button keeps its pressed picture.
    ASSERT_TRUE(ClickDialogButton(question, IDC_DRIVER_CHECK_LATER));
    ASSERT_TRUE(WaitUntilGone(question));
    EXPECT_TRUE(view().Shows(kStartGame, Look::kPressed));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ("0\r\n", folder().Read(kFirstRunFlagFile)) << "the driver question was declined";
}

// The same on the options menu, with CLOSE: a miss leaves the options menu, a hit leaves it for
// the main menu.
TEST_F(MenuButtons, PressOnRightOrBottomEdgeOfOptionsButtonMisses) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_NO_FATAL_FAILURE(EnterOptions());
    const RECT hot = HotRect(kClose);
    view().ClickAt(POINT{hot.right, hot.top + 5});
    view().ClickAt(POINT{hot.left + 5, hot.bottom});
    // Handled in order: once AUDIO lights up, the presses on the edges were handled.
    view().MoveTo(kAudio);
    ASSERT_TRUE(view().Shows(kAudio, Look::kHighlighted));
    EXPECT_TRUE(view().ShowsWhole(kOptionsScreen, &kAudio));

    view().ClickAt(POINT{hot.right - 1, hot.bottom - 1});
    EXPECT_TRUE(view().ShowsWhole(kMainScreen));
}

// ---------------------------------------------------------------------------------------------
// Screens

class MenuScreens : public MenuTest {
protected:
    // The moves below change no picture; that they light nothing is read in the sound trace,
    // which the program writes before a move has been handled.
    void SetUp() override {
        MenuTest::SetUp();
        app().TraceWine(kSoundTraceChannels);
    }
};

// OPTION and CLOSE each redraw the whole screen they lead to. The hover flags of a menu live
// as long as the program: a button flagged when its screen was left is still flagged when the
// screen comes back, so with the pointer still on it, it stays normal until the pointer has left
// it and entered again.
//
// The screens are switched here by presses given without moving the cursor.
TEST_F(MenuScreens, OptionAndCloseRedrawWholeScreensAndHoverFlagsSurvive) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));

    // Main menu: the pointer stays on OPTION all the way there and back.
    view().MoveTo(kOption);
    ASSERT_TRUE(view().Shows(kOption, Look::kHighlighted));
    view().PressAt(kOption);
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    view().PressAt(kClose);
    ASSERT_TRUE(view().ShowsWhole(kMainScreen)) << "OPTION is drawn normal under the pointer";
    view().MoveTo(kQuit);  // the first move off OPTION draws it normal, as it already is
    ASSERT_TRUE(view().Shows(kQuit, Look::kHighlighted));
    EXPECT_TRUE(view().Shows(kOption, Look::kNormal));
    view().MoveTo(kOption);
    EXPECT_TRUE(view().Shows(kOption, Look::kHighlighted));
    EXPECT_TRUE(SoundsPlayed(app(), 3, 2));

    // Options menu: CLOSE is flagged when the main menu takes over, and still when the options
    // menu comes back with the pointer on it; moving within it changes nothing.
    view().PressAt(kOption);
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    view().MoveTo(kClose);
    ASSERT_TRUE(view().Shows(kClose, Look::kHighlighted));
    view().PressAt(kClose);
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));
    view().PressAt(kOption);  // the pointer is on CLOSE's place, outside OPTION
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen)) << "CLOSE is drawn normal under the pointer";
    EXPECT_TRUE(SoundsPlayed(app(), 4, 5));
    const POINT close = Centre(kClose);
    view().MoveTo(POINT{close.x - 60, close.y - 10});
    view().MoveTo(POINT{close.x + 60, close.y + 10});
    EXPECT_TRUE(SoundsPlayed(app(), 4, 5)) << "a move within CLOSE lit it";
    EXPECT_TRUE(view().Shows(kClose, Look::kNormal));
    view().MoveTo(kSetupInput);
    ASSERT_TRUE(view().Shows(kSetupInput, Look::kHighlighted));
    EXPECT_TRUE(view().Shows(kClose, Look::kNormal));
    view().MoveTo(kClose);
    EXPECT_TRUE(view().Shows(kClose, Look::kHighlighted));
}

// A repaint draws every button normal, also the one under the pointer, whose hover flag stays
// set: it lights again only after the pointer has left it and come back. The repaints here mark
// nothing for erasing; the next test covers those.
TEST_F(MenuScreens, RepaintLeavesHoveredButtonNormalUntilThePointerReenters) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    view().MoveTo(kStartGame);
    ASSERT_TRUE(view().Shows(kStartGame, Look::kHighlighted));
    RedrawWindow(menu(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(view().ShowsWhole(kMainScreen));
    view().MoveTo(kNetworkGame);
    ASSERT_TRUE(view().Shows(kNetworkGame, Look::kHighlighted));
    EXPECT_TRUE(view().Shows(kStartGame, Look::kNormal));
    view().MoveTo(kStartGame);
    EXPECT_TRUE(view().Shows(kStartGame, Look::kHighlighted));

    // On the options menu, also with the pointer moving within the button.
    ASSERT_NO_FATAL_FAILURE(EnterOptions());
    view().MoveTo(kAudio);
    ASSERT_TRUE(view().Shows(kAudio, Look::kHighlighted));
    InvalidateRect(menu(), nullptr, FALSE);
    UpdateWindow(menu());
    EXPECT_TRUE(view().ShowsWhole(kOptionsScreen));
    EXPECT_TRUE(SoundsPlayed(app(), 5, 1));
    const POINT inside = Centre(kAudio);
    view().MoveTo(POINT{inside.x - 40, inside.y - 10});
    view().MoveTo(POINT{inside.x + 40, inside.y + 10});
    EXPECT_TRUE(SoundsPlayed(app(), 5, 1)) << "a move within AUDIO lit it";
    EXPECT_TRUE(view().Shows(kAudio, Look::kNormal));
    view().MoveTo(kSetupInput);
    ASSERT_TRUE(view().Shows(kSetupInput, Look::kHighlighted));
    view().MoveTo(kAudio);
    EXPECT_TRUE(view().Shows(kAudio, Look::kHighlighted));

    // Moves outside the window never reach it: AUDIO left in one jump keeps its light and its flag
    // until the pointer comes back, onto it without a sound, elsewhere drawing it normal.
    const POINT outside = ClientToScreenOf(menu(), POINT{-20, 100});
    ASSERT_TRUE(PutPointer(outside));
    view().MoveTo(kAudio);
    EXPECT_TRUE(view().Shows(kAudio, Look::kHighlighted));
    ASSERT_TRUE(PutPointer(outside));
    view().MoveTo(kEmptySpot);
    EXPECT_TRUE(view().Shows(kAudio, Look::kNormal));
    EXPECT_TRUE(SoundsPlayed(app(), 7, 1)) << "a jump out of AUDIO cleared its flag";
}

// The system marks what it invalidates for erasing, for example where another window uncovered
// the menu, and the program then paints on its own; the screen must still come back whole.
TEST_F(MenuScreens, RepaintWithErasingShowsTheWholeScreen) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    view().MoveTo(kStartGame);
    ASSERT_TRUE(view().Shows(kStartGame, Look::kHighlighted));
    InvalidateRect(menu(), nullptr, TRUE);
    // A paint waits behind pointer moves in the queue: have it done before the pointer moves on.
    UpdateWindow(menu());
    view().MoveTo(kNetworkGame);
    EXPECT_TRUE(view().ShowsWhole(kMainScreen, &kNetworkGame));
}

TEST_F(MenuScreens, QuitEndsWithCodeZeroAfterItsPauseAndWritesTheFlag) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    view().MoveTo(kQuit);
    ASSERT_TRUE(view().Shows(kQuit, Look::kHighlighted));
    LARGE_INTEGER frequency, clicked, ended;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&clicked);
    view().PressAt(kQuit);
    ExitResult exit = app().WaitForExit();
    QueryPerformanceCounter(&ended);
    ASSERT_TRUE(exit.ended) << "the program is still running after QUIT";
    EXPECT_EQ(0u, exit.code);
    const double ms = 1000.0 * (ended.QuadPart - clicked.QuadPart) / frequency.QuadPart;
    EXPECT_GE(ms, 300.0) << "QUIT pauses 300 ms before the program closes";
    EXPECT_EQ("0\r\n", folder().Read(kFirstRunFlagFile));
}

// Each screen picture is read on its own: a missing main menu picture is reported, with the
// cursor showing, and the other seven are still read.
TEST_F(MenuScreens, MissingMainPictureIsReportedAndTheOthersAreRead) {
    ASSERT_TRUE(folder().Delete(kMainMenuBackground));
    ASSERT_TRUE(app().Start(folder().path()));
    ASSERT_TRUE(WaitForMessageBox(app().pid()) != nullptr);
    EXPECT_TRUE(WaitFor(CursorShowing, kWindowTimeout)) << "the cursor is hidden while the menu is being made";
    ASSERT_TRUE(ExpectMessages(app().pid(), {"Bmp File Open Error", "ReadBMPFile 1"}));
    ASSERT_TRUE(app().WaitForMenu());
    // The boxes come while the menu window is being created, and the frame is the active window
    // once they are gone. Start-up shows the menu window and raises it above the frame a moment
    // later; it must end up in front, or the player sees a black screen.
    const RECT menu_rect = WindowRectOf(menu());
    const POINT middle{(menu_rect.left + menu_rect.right) / 2, (menu_rect.top + menu_rect.bottom) / 2};
    ASSERT_TRUE(WaitFor([&] { return WindowFromPoint(middle) == menu(); }, kWindowTimeout))
        << "the menu window is behind " << ClassOf(WindowFromPoint(middle));

    MenuView view(menu(), folder().PathOf(kProgramFile), folder().path());
    ASSERT_TRUE(view.ok()) << view.error();
    view.MoveTo(kEmptySpot);
    for (const ButtonSpec& button : zorv::kMainMenuButtons) EXPECT_TRUE(view.Shows(button, Look::kNormal));
    view.ClickAt(kOption);
    EXPECT_TRUE(view.ShowsWhole(kOptionsScreen));
    EXPECT_TRUE(NoDialogShowing(app().pid()));
}

// Kept as artefacts for a person to look at: both menus, with and without a lit button.
TEST_F(MenuScreens, ScreenshotsOfBothMenus) {
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    const RECT menu_rect = WindowRectOf(menu());
    view().MoveTo(kEmptySpot);
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));
    SaveArtifact(menu_rect, "menu-main");
    view().MoveTo(kStartGame);
    ASSERT_TRUE(view().Shows(kStartGame, Look::kHighlighted));
    SaveArtifact(menu_rect, "menu-main-hover-start");
    ASSERT_NO_FATAL_FAILURE(EnterOptions());
    view().MoveTo(kEmptySpot);
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    SaveArtifact(menu_rect, "menu-options");
    view().MoveTo(kAudio);
    ASSERT_TRUE(view().Shows(kAudio, Look::kHighlighted));
    SaveArtifact(menu_rect, "menu-options-hover-audio");
}

// ---------------------------------------------------------------------------------------------
// Without a mouse

class MenuWithoutMouse : public MenuTest {
protected:
    // The screen shows with the focus on `button` (none: no button lit).
    std::function<bool()> Focused(const ScreenSpec& screen, const ButtonSpec* button) {
        return [this, &screen, button] { return static_cast<bool>(view().ShowsWhole(screen, button, 0)); };
    }
    // The frame told what the system tells it when the player switches away and back, or when a
    // device is plugged in.
    void SwitchAwayAndBack() {
        for (WPARAM active : {FALSE, TRUE}) SendMessageA(app().Frame(), WM_ACTIVATEAPP, active, 0);
    }
    void DevicesChange() { SendMessageA(app().Frame(), WM_DEVICECHANGE, 7 /* DBT_DEVNODES_CHANGED */, 0); }
    // Whether a look (one more than `looks`) starts within a while.
    static bool LooksAgain(StandInController& controller, long looks) {
        return WaitFor([&] { return controller.state().looks > looks; }, 2500);
    }
};

// The focus moves with every navigation key, the first one included, and shows only then: Tab
// in the table's order, the arrows to the nearest button that way (nowhere when none lies that
// way). Enter, Space and the controller's button 1 do what a click does on a focus that shows,
// and only show a hidden one, wherever the pointer stands; Escape and button 2 are CLOSE on the
// options menu and nothing on the main menu; each menu comes back focused on the button last
// used; a real pointer move hides the focus. The controller (the stand-in library) also answers
// the driver question and is found again when the game has run; winmm.dll and shell32.dll
// are never the stand-in planted under their names (DirectInput, which the joystick driver
// loads by its own rules, is the stand-in's in the folder).
TEST_F(MenuWithoutMouse, KeysAndControllerDoEveryMenuTaskAndThePointerHidesTheFocus) {
    StandInController controller;
    ASSERT_TRUE(controller.Install(folder().path()));
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0\r\n"));
    ASSERT_TRUE(folder().Write(kStandInInstructions, "stay=0\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));

    // Each key, then the screen shown and the button focused (none: no button lit). Space shows
    // the hidden focus on OPTION, used last, then reopens the options menu; Up there goes from
    // CLOSE, used last there.
    const ScreenSpec* main = &kMainScreen;
    const ScreenSpec* options = &kOptionsScreen;
    const struct {
        std::vector<WORD> keys;
        const ScreenSpec* screen;
        const ButtonSpec* focused;
    } steps[] = {
        {{VK_DOWN}, main, &kStartGame},  {{VK_DOWN}, main, &kOption},      {{VK_DOWN}, main, &kOption},
        {{VK_UP}, main, &kQuit},         {{VK_LEFT}, main, &kStartGame},   {{VK_LEFT}, main, &kNetworkGame},
        {{VK_UP}, main, &kNetworkGame},  {{VK_TAB}, main, &kOption},       {{VK_SHIFT, VK_TAB}, main, &kNetworkGame},
        {{VK_RIGHT}, main, &kStartGame}, {{VK_ESCAPE}, main, &kStartGame}, {{VK_RIGHT}, main, &kQuit},
        {{VK_DOWN}, main, &kOption},     {{VK_RETURN}, options, nullptr},  {{VK_DOWN}, options, &kSetupInput},
        {{VK_DOWN}, options, &kAudio},   {{VK_ESCAPE}, main, nullptr},     {{VK_SPACE}, main, &kOption},
        {{VK_SPACE}, options, nullptr},  {{VK_UP}, options, &kHowToPlay}};
    for (const auto& step : steps) {
        SendKeysInFront(app().Menu(), step.keys, Focused(*step.screen, step.focused), kWindowTimeout);
        EXPECT_TRUE(view().ShowsWhole(*step.screen, step.focused, 0)) << "after the key " << step.keys.back();
    }
    view().MoveTo(POINT{kEmptySpot.x + 10, kEmptySpot.y});
    EXPECT_TRUE(view().ShowsWhole(kOptionsScreen)) << "a pointer move left the focus showing";
    // The pointer lights AUDIO; Enter shows the hidden focus on HOW TO PLAY and opens nothing.
    view().MoveTo(kAudio);
    auto both = [&] {
        return view().Shows(kHowToPlay, Look::kHighlighted, 0) && view().Shows(kAudio, Look::kHighlighted, 0);
    };
    ASSERT_EQ("", SendKeysInFront(app().Menu(), {VK_RETURN}, both, kWindowTimeout))
        << "Enter did more than show the focus";
    EXPECT_TRUE(NoDialogShowing(app().pid()));
    view().MoveTo(POINT{kEmptySpot.x + 20, kEmptySpot.y});

    // The controller: button 1 shows the hidden focus, then opens HOW TO PLAY; the D-pad moves from
    // where the focus was, button 1 turns a page, button 2 goes to CLOSE; on the driver question,
    // the system's own dialog, button 1 presses the focused button.
    ASSERT_TRUE(controller.WaitForPolling(app().Frame()))
        << "the program did not find the controller; planted libraries loaded: " << controller.strays();
    ASSERT_TRUE(controller.Tap(1) && WaitFor(Focused(kOptionsScreen, &kHowToPlay), kWindowTimeout));
    HWND pages = controller.Tap(1) ? WaitForDialog(app().pid()) : nullptr;
    ASSERT_TRUE(pages != nullptr) << "button 1 on HOW TO PLAY opened nothing";
    const ScreenSpec page[] = {{"page 0", zorv::kHowToPlayTable, kHowToPlayPictures[0]},
                               {"page 1", zorv::kHowToPlayTable, kHowToPlayPictures[1]}};
    ButtonView howTo(pages, folder().PathOf(kProgramFile), folder().path(), {page[0], page[1]});
    const ButtonSpec* lit[] = {&zorv::kHowToPlayButtons[1], &zorv::kHowToPlayButtons[2]};
    ASSERT_TRUE(controller.Tap(0, 18000) && controller.Tap(0, 18000) && controller.Tap(1));
    EXPECT_TRUE(WaitFor([&] { return static_cast<bool>(howTo.ShowsWhole(page[1], lit[0], 0)); }, kWindowTimeout));
    ASSERT_TRUE(controller.Tap(2));
    EXPECT_TRUE(WaitFor([&] { return static_cast<bool>(howTo.ShowsWhole(page[1], lit[1], 0)); }, kWindowTimeout));
    ASSERT_TRUE(controller.Tap(1));
    ASSERT_TRUE(WaitUntilGone(pages));
    ASSERT_TRUE(controller.Tap(0, 0) && WaitFor(Focused(kOptionsScreen, &kVideo), kWindowTimeout));
    ASSERT_TRUE(controller.Tap(2) && WaitFor(Focused(kMainScreen, nullptr), kWindowTimeout));
    ASSERT_TRUE(controller.Tap(0, 0) && controller.Tap(0, 27000) &&
                WaitFor(Focused(kMainScreen, &kStartGame), kWindowTimeout));
    ASSERT_TRUE(controller.Tap(1) && WaitForDialogWith(app().pid(), IDC_DRIVER_CHECK_START)) << "no driver question";
    ASSERT_TRUE(controller.Tap(1));
    ASSERT_TRUE(WaitFor([&] { return folder().Exists(kStandInReport); }, kStartTimeout)) << "the game did not run";
    ASSERT_TRUE(WaitFor([&] { return !IsIconic(app().Frame()) && NoDialogShowing(app().pid()); }, kStartTimeout));
    // Back from the game the controller is looked for again; START GAME keeps the focus.
    ASSERT_TRUE(controller.WaitForPolling(app().Frame()));
    ASSERT_TRUE(controller.Tap(0, 18000) && controller.Tap(0, 0));
    ASSERT_TRUE(WaitFor(Focused(kMainScreen, &kQuit), kWindowTimeout));
    controller.Tap(1);  // the program ends before it reads the release
    ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended) << "the program is still running after QUIT from the controller";
    EXPECT_EQ(0u, exit.code);
    EXPECT_EQ(0, controller.strays()) << "winmm or shell32 was taken from the game folder";
}

// A controller without a hat moves the focus with its stick: a driver that leaves the hat it does
// not have at 0 (ahead) holds no direction.
TEST_F(MenuWithoutMouse, AControllerWithoutAHatMovesTheFocusWithItsStick) {
    StandInController controller(StandInController::kWithoutHat);
    ASSERT_TRUE(controller.Install(folder().path()));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(controller.WaitForPolling(app().Frame()));
    // A read that fails once keeps the controller, and so does a return to the front, which looks
    // for none while it reads.
    ASSERT_TRUE(controller.FailOneRead());
    EXPECT_TRUE(controller.WaitForPolling(app().Frame())) << "one failed read dropped the controller";
    SwitchAwayAndBack();
    EXPECT_FALSE(LooksAgain(controller, 1)) << "the return to the front looked for a controller";
    ASSERT_TRUE(controller.Tap(0, 18000));
    EXPECT_TRUE(WaitFor([&] { return !view().ShowsWhole(kMainScreen, nullptr, 0); }, kWindowTimeout))
        << "no focus shows";
}

// A look whose driver faults shows no crash box (its error mode has none) and runs again only
// after a device change, not at each return to the front; the menu answers keys throughout.
TEST_F(MenuWithoutMouse, ALookThatFaultsRunsAgainOnlyAfterADeviceChange) {
    StandInController controller;
    controller.state().lookMode = zorv_standin::kLookFaults;
    ASSERT_TRUE(controller.Install(folder().path()));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(WaitFor([&] { return controller.state().looks == 1; }, kStartTimeout)) << "no look";
    EXPECT_TRUE(controller.state().lookErrorMode & SEM_NOGPFAULTERRORBOX) << controller.state().lookErrorMode;
    SwitchAwayAndBack();
    EXPECT_FALSE(LooksAgain(controller, 1)) << "a faulting look was started again";
    ASSERT_EQ("", SendKeysInFront(app().Menu(), {VK_DOWN}, Focused(kMainScreen, &kStartGame), kWindowTimeout));
    DevicesChange();
    EXPECT_TRUE(LooksAgain(controller, 1)) << "a device change did not look again";
    ASSERT_EQ("", SendKeysInFront(app().Menu(), {VK_DOWN}, Focused(kMainScreen, &kOption), kWindowTimeout));
}

// A look that never answers is ended at its deadline: a controller plugged in later is found. A
// look that hangs when the front-end ends goes with it.
TEST_F(MenuWithoutMouse, ALookThatHangsIsEndedAndNoneOutlivesTheFrontEnd) {
    StandInController controller(StandInController::kUnplugged);
    controller.state().lookMode = zorv_standin::kLookHangs;
    ASSERT_TRUE(controller.Install(folder().path()));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    std::vector<zorv::KernelHandle> hung;
    auto hangs = [&](long looks) {
        ASSERT_TRUE(WaitFor([&] { return controller.state().looks == looks; }, kStartTimeout)) << "no look";
        hung.emplace_back(OpenProcess(SYNCHRONIZE, FALSE, controller.state().lookProcess));
    };
    ASSERT_NO_FATAL_FAILURE(hangs(1));
    controller.state().lookMode = 0;
    controller.state().attached = 1;
    DevicesChange();
    EXPECT_TRUE(controller.WaitForPolling(app().Frame())) << "the controller plugged in was not found";
    controller.state().lookMode = zorv_standin::kLookHangs;
    DevicesChange();
    ASSERT_NO_FATAL_FAILURE(hangs(3));
    ASSERT_NO_FATAL_FAILURE(Quit());
    for (const zorv::KernelHandle& look : hung)
        EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(look.get(), 0) != WAIT_TIMEOUT; }, 2000))
            << "a look outlived the front-end";
}

// ---------------------------------------------------------------------------------------------
// Sounds, counted in Wine's trace of winmm

class MenuSounds : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        app().TraceWine(kSoundTraceChannels);
    }
};

// Without a movie the menu comes up without the multimedia library, and a look for a controller
// that finds none leaves it and the joystick stack (the stand-in's library) unloaded; the first
// sound loads the library, from the system's folder.
TEST_F(MenuSounds, HoverSoundOncePerEntryAndClickSoundOncePerClick) {
    StandInController unplugged(StandInController::kUnplugged);
    ASSERT_TRUE(unplugged.Install(folder().path()));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    EXPECT_TRUE(SoundsPlayed(app(), 0, 0));
    ASSERT_TRUE(unplugged.WaitForLook()) << "the program did not look for a controller";
    EXPECT_TRUE(app().HasModule("user32.dll")) << "the program's libraries cannot be listed";
    EXPECT_FALSE(app().HasModule("winmm.dll")) << "the multimedia library was loaded before it was needed";
    EXPECT_FALSE(app().HasModule("dinput8.dll")) << "a player without a controller carries the joystick stack";

    view().MoveTo(kStartGame);
    ASSERT_TRUE(view().Shows(kStartGame, Look::kHighlighted));
    EXPECT_TRUE(SoundsPlayed(app(), 1, 0));
    EXPECT_TRUE(app().HasModule("winmm.dll"));

    // Leaving is silent, and so is a click outside every button; the next entry sounds once.
    view().MoveTo(kEmptySpot);
    view().ClickAt(kEmptySpot);
    view().MoveTo(kNetworkGame);
    ASSERT_TRUE(view().Shows(kNetworkGame, Look::kHighlighted));
    EXPECT_TRUE(SoundsPlayed(app(), 2, 0));

    // OPTION: an entry and a click.
    view().MoveTo(kOption);
    view().ClickAt(kOption);
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    EXPECT_TRUE(SoundsPlayed(app(), 3, 1));

    // Moving within a button sounds only on entering it; from one button straight onto the next
    // sounds once.
    const POINT audio = Centre(kAudio);
    view().MoveTo(kSetupInput);
    view().MoveTo(audio);
    view().MoveTo(POINT{audio.x - 50, audio.y - 8});
    view().MoveTo(POINT{audio.x + 50, audio.y + 8});
    ASSERT_TRUE(view().Shows(kAudio, Look::kHighlighted));
    EXPECT_TRUE(SoundsPlayed(app(), 5, 1));

    // Two clicks with the pointer still, one on CLOSE and one on OPTION: two click sounds and no
    // further hover sound.
    view().MoveTo(kEmptySpot);
    view().PressAt(kClose);
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));
    view().PressAt(kOption);
    ASSERT_TRUE(view().ShowsWhole(kOptionsScreen));
    EXPECT_TRUE(SoundsPlayed(app(), 5, 3));

    // CLOSE and QUIT, each an entry and a click. After the program ended the trace is complete.
    view().ClickAt(kClose);
    ASSERT_TRUE(view().ShowsWhole(kMainScreen));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_TRUE(SoundsPlayed(app(), 7, 5));
    EXPECT_EQ(0, unplugged.strays()) << "winmm or shell32 was taken from the game folder";
}

// ---------------------------------------------------------------------------------------------
// The first-run flag file: read at start, written back at the end

class FirstRunFlag : public MenuTest {
protected:
    // Starts with the file holding `stored`, quits, and returns what the file holds then.
    std::string RoundTrip(const std::string& stored) {
        EXPECT_TRUE(folder().Write(kFirstRunFlagFile, stored));
        StartMenu();
        if (HasFatalFailure()) return std::string();
        Quit();
        bool found = false;
        std::string written = folder().Read(kFirstRunFlagFile, &found);
        EXPECT_TRUE(found);
        return written;
    }
};

TEST_F(FirstRunFlag, ZeroIsKeptAndWrittenBack) { EXPECT_EQ("0\r\n", RoundTrip("0")); }

TEST_F(FirstRunFlag, SevenIsKeptAndWrittenBack) { EXPECT_EQ("7\r\n", RoundTrip("7\r\n")); }

TEST_F(FirstRunFlag, EmptyFileCountsAsZero) { EXPECT_EQ("0\r\n", RoundTrip("")); }

TEST_F(FirstRunFlag, MissingFileStopsTheStartWithTheErrorDialog) {
    ASSERT_TRUE(folder().Delete(kFirstRunFlagFile));
    ASSERT_TRUE(app().Start(folder().path()));
    HWND dialog = WaitForConfigError();
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_TRUE(GetWindow(dialog, GW_OWNER) == nullptr) << "at start-up the dialog has no owner";
    ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit(dialog, folder().PathOf(kFirstRunFlagFile)));
    EXPECT_FALSE(folder().Exists(kFirstRunFlagFile)) << "OK ends the program without writing the flag";
}

// At logoff Windows ends the program after WM_ENDSESSION without destroying its windows.
TEST_F(FirstRunFlag, WrittenWhenTheSessionEnds) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "7\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "0\r\n"));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(menu(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
    EXPECT_NE(0u, answer) << "the program does not hold up the logoff";
    ASSERT_TRUE(SendMessageTimeoutA(menu(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ("7\r\n", folder().Read(kFirstRunFlagFile));
    EXPECT_TRUE(app().IsRunning()) << "the program is left to Windows to end";
    app().Kill();
}

// Under Wine as root the read-only attribute stops no writer, so the file is held open without
// sharing; the program refuses a read-only target by itself, which the next test checks.
TEST_F(FirstRunFlag, FileHeldOpenAtShutdownBringsTheErrorDialog) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "7\r\n"));
    const std::vector<std::string> files = FilesIn(folder().PathOf("info"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    std::unique_ptr<FileHold> hold(new FileHold(folder().PathOf(kFirstRunFlagFile)));
    ASSERT_TRUE(hold->ok());
    view().ClickAt(kQuit);
    ASSERT_NO_FATAL_FAILURE(
        ExpectConfigErrorThenExit(WaitForConfigError(), folder().PathOf(kFirstRunFlagFileAsWritten)));
    hold.reset();
    EXPECT_EQ("7\r\n", folder().Read(kFirstRunFlagFile));
    EXPECT_EQ(files, FilesIn(folder().PathOf("info"))) << "the failed save left a file behind";
}

// The caption file here has no "wm:" line: the dialog's explanation is empty.
TEST_F(FirstRunFlag, ReadOnlyFileAtShutdownBringsTheErrorDialog) {
    ASSERT_TRUE(folder().Write(kFirstRunFlagFile, "7\r\n"));
    std::string captions = folder().Read(kCaptionFile);
    const size_t line = captions.find("\nwm:");
    ASSERT_NE(std::string::npos, line);
    captions.erase(line + 1, captions.find('\n', line + 1) - line);
    ASSERT_TRUE(folder().Write(kCaptionFile, captions));
    const std::vector<std::string> files = FilesIn(folder().PathOf("info"));
    ASSERT_NO_FATAL_FAILURE(StartMenu());
    ASSERT_TRUE(folder().SetReadOnly(kFirstRunFlagFile));
    view().ClickAt(kQuit);
    ASSERT_NO_FATAL_FAILURE(
        ExpectConfigErrorThenExit(WaitForConfigError(), folder().PathOf(kFirstRunFlagFileAsWritten), false));
    EXPECT_EQ("7\r\n", folder().Read(kFirstRunFlagFile));
    EXPECT_EQ(files, FilesIn(folder().PathOf("info"))) << "the failed save left a file behind";
}

}  // namespace
}  // namespace zorv_e2e
