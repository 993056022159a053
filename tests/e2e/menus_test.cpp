// The two menu screens as the player uses them: image buttons that light up under the pointer,
// show a pressed picture and sound, the switch between the main and the options menu, repaints,
// QUIT, the first-run flag file kept across runs, and the error dialog for a flag file that
// cannot be read or written.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "screens.h"

namespace zorv_e2e {
namespace {

constexpr char kFlagFile[] = "info\\InitFlag.flg";
// The writer names the folder ".\Info\": the error text shows the path as the program wrote it.
constexpr char kFlagFileAsWritten[] = "Info\\InitFlag.flg";
constexpr char kGameModeFile[] = "Info\\GameMode.dat";

// The configuration-file error dialog and the driver check dialog.
constexpr int kConfigErrorOk = 1068;
constexpr int kConfigErrorPath = 1069;
constexpr int kConfigErrorExplanation = 1070;
constexpr int kDriverCheckLater = 1067;

const MenuButton& Main(int i) {
  return MainMenuButton(i);
}
const MenuButton& Options(int i) {
  return OptionsMenuButton(i);
}

// Options buttons whose command the options menu ignores for now, so that a click leaves the
// button pressed and nothing else happens. When the dialog of one of them is built, take it
// out of this list: its click then opens the dialog.
const std::vector<int> kOptionsButtonsWithoutDialog = {kSetupInput, kAudio, kVideo, kHowToPlay};

// A press and release at a client point, by message only: the cursor stays where it is. The
// menus take a click's position from the message.
void PostPress(HWND window, POINT p) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// The value of the "wm:" line of a caption file: what follows the key and its one delimiter,
// up to the line end.
std::string ExplanationIn(const std::string& captions) {
  size_t at = captions.find("wm:");
  while (at != std::string::npos && at > 0 && captions[at - 1] != '\n')
    at = captions.find("wm:", at + 1);
  if (at == std::string::npos || at + 4 > captions.size()) return std::string();
  std::string value = captions.substr(at + 4);
  return value.substr(0, value.find_first_of("\r\n\t"));
}

// The names of the files in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

class MenuTest : public GameTest {
 protected:
  // Starts the program to its menu and loads the pictures to compare with.
  void StartMenu(const std::vector<std::string>& messages = {}) {
    ASSERT_TRUE(StartToMenu(messages));
    view_.reset(new MenuView(app().Menu(), folder().PathOf("zorv3d.exe"), folder().path()));
    ASSERT_TRUE(view_->ok()) << view_->error();
  }

  MenuView& view() { return *view_; }
  HWND menu() { return app().Menu(); }

  void EnterOptions() {
    view().ClickAt(Main(kOption));
    ASSERT_TRUE(view().ShowsWhole(Screen::kOptions));
  }

  // QUIT from the main menu; the program ends by itself with code 0.
  void Quit() {
    view().ClickAt(Main(kQuit));
    ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended) << "the program is still running after QUIT";
    EXPECT_EQ(0u, exit.code);
  }

  // The configuration-file error dialog: a dialog of the program without caption that holds the
  // error text field. The intro movie's notice is passed over on the way.
  HWND WaitForConfigError() {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kStartTimeout && app().IsRunning()) {
      if (HWND dialog = FindDialog(app().pid())) {
        if (GetDlgItem(dialog, kConfigErrorPath)) return dialog;
        if (TextOf(dialog) == kMessageCaption && MessageBoxText(dialog) == kIntroNotice) {
          DismissMessageBox(dialog);
          continue;
        }
        ADD_FAILURE() << "expected the configuration-file error dialog, but a dialog titled \""
                      << TextOf(dialog) << "\" showed: \"" << MessageBoxText(dialog) << "\"";
        return nullptr;
      }
      Sleep(20);
    }
    ADD_FAILURE() << "no configuration-file error dialog "
                  << (app().IsRunning() ? "appeared" : "before the program ended");
    return nullptr;
  }

  // Checks the dialog's texts, confirms it, and expects the program to end with code 1.
  void ExpectConfigErrorThenExit(HWND dialog, const std::string& path) {
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_EQ("", TextOf(dialog)) << "the dialog has no caption";
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & DS_SYSMODAL) << "the dialog is system-modal";
    EXPECT_EQ(path, DialogItemText(dialog, kConfigErrorPath));
    const std::string explanation = ExplanationIn(folder().Read("info\\String.dat"));
    EXPECT_FALSE(explanation.empty()) << "the game folder's String.dat has no \"wm:\" text";
    EXPECT_EQ(explanation, DialogItemText(dialog, kConfigErrorExplanation));
    ASSERT_TRUE(ClickDialogButton(dialog, kConfigErrorOk));
    ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended) << "the program is still running after OK";
    EXPECT_EQ(1u, exit.code);
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
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain));
  for (int i = 0; i < kMainButtonCount; ++i) {
    SCOPED_TRACE(Main(i).name);
    view().MoveTo(Main(i));
    EXPECT_TRUE(view().ShowsWhole(Screen::kMain, &Main(i)));  // only this one lit
    view().MoveTo(kEmptySpot);
    EXPECT_TRUE(view().Shows(Main(i), Look::kNormal));
  }
}

TEST_F(MenuButtons, OptionsButtonsLightUpAndHandOverInOneMove) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_NO_FATAL_FAILURE(EnterOptions());
  for (int i = 0; i < kOptionsButtonCount; ++i) {
    SCOPED_TRACE(Options(i).name);
    view().MoveTo(Options(i));
    EXPECT_TRUE(view().Shows(Options(i), Look::kHighlighted));
    view().MoveTo(kEmptySpot);
    EXPECT_TRUE(view().Shows(Options(i), Look::kNormal));
  }
  // Straight from one button onto the next, one pointer move each time.
  view().MoveTo(Options(0));
  ASSERT_TRUE(view().Shows(Options(0), Look::kHighlighted));
  for (int i = 1; i < kOptionsButtonCount; ++i) {
    SCOPED_TRACE(std::string("from ") + Options(i - 1).name + " onto " + Options(i).name);
    view().MoveTo(Options(i));
    EXPECT_TRUE(view().ShowsWhole(Screen::kOptions, &Options(i)));
  }
}

// Relies on the options menu ignoring these buttons' commands (kOptionsButtonsWithoutDialog).
TEST_F(MenuButtons, PressShowsThePressedPictureUntilThePointerLeaves) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_NO_FATAL_FAILURE(EnterOptions());
  for (int i : kOptionsButtonsWithoutDialog) {
    SCOPED_TRACE(Options(i).name);
    view().MoveTo(Options(i));
    ASSERT_TRUE(view().Shows(Options(i), Look::kHighlighted));
    view().ClickAt(Options(i));
    EXPECT_TRUE(view().Shows(Options(i), Look::kPressed));
    EXPECT_TRUE(NoDialogShowing(app().pid()));
    view().MoveTo(kEmptySpot);
    EXPECT_TRUE(view().Shows(Options(i), Look::kNormal));
  }
  // The ignored commands left the screen as it was.
  EXPECT_TRUE(view().ShowsWhole(Screen::kOptions));
}

// The hot rectangle's right and bottom edges are outside it, although the picture covers them.
// With the first-run flag 0 a hit on START GAME writes the game-mode file and asks the driver
// question first; a miss does nothing.
TEST_F(MenuButtons, PressOnRightOrBottomEdgeOfStartGameMisses) {
  ASSERT_TRUE(folder().Write(kFlagFile, "0\r\n"));
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  const RECT hot = Main(kStartGame).hot;
  view().ClickAt(POINT{hot.right, (hot.top + hot.bottom) / 2});
  view().ClickAt(POINT{(hot.left + hot.right) / 2, hot.bottom});
  // Every press above is handled before this move lights OPTION up.
  view().MoveTo(Main(kOption));
  ASSERT_TRUE(view().Shows(Main(kOption), Look::kHighlighted));
  EXPECT_TRUE(NoDialogShowing(app().pid()));
  EXPECT_FALSE(folder().Exists(kGameModeFile));
  EXPECT_TRUE(view().Shows(Main(kStartGame), Look::kNormal));

  // One pixel further in, at the corner, it hits.
  view().ClickAt(POINT{hot.right - 1, hot.bottom - 1});
  HWND question = WaitForDialog(app().pid(), "");
  ASSERT_TRUE(question != nullptr) << "no driver check dialog after a press inside START GAME";
  ASSERT_TRUE(GetDlgItem(question, kDriverCheckLater) != nullptr) << "not the driver check dialog";
  EXPECT_TRUE(folder().Exists(kGameModeFile));
  // "Later" stops the start; the button keeps its pressed picture.
  ASSERT_TRUE(ClickDialogButton(question, kDriverCheckLater));
  ASSERT_TRUE(WaitUntilGone(question));
  EXPECT_TRUE(view().Shows(Main(kStartGame), Look::kPressed));
  ASSERT_NO_FATAL_FAILURE(Quit());
  EXPECT_EQ("0\r\n", folder().Read(kFlagFile)) << "the driver question was declined";
}

// Relies on SETUP INPUT DEVICE and HOW TO PLAY ignoring their commands.
TEST_F(MenuButtons, PressOnRightOrBottomEdgeOfOptionsButtonMisses) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_NO_FATAL_FAILURE(EnterOptions());
  const RECT hot = Options(kSetupInput).hot;
  view().ClickAt(POINT{hot.right, hot.top + 5});
  view().ClickAt(POINT{hot.left + 5, hot.bottom});
  // Handled in order: once HOW TO PLAY shows pressed, the presses on the edges were handled.
  PostPress(menu(), Centre(Options(kHowToPlay)));
  ASSERT_TRUE(view().Shows(Options(kHowToPlay), Look::kPressed));
  EXPECT_TRUE(view().Shows(Options(kSetupInput), Look::kNormal));

  view().ClickAt(POINT{hot.right - 1, hot.bottom - 1});
  EXPECT_TRUE(view().Shows(Options(kSetupInput), Look::kPressed));
}

// ---------------------------------------------------------------------------------------------
// Screens

class MenuScreens : public MenuTest {};

// OPTION and CLOSE each redraw the whole screen they lead to. The hover flags of a menu live
// as long as the program: a button flagged when its screen was left is still flagged when the
// screen comes back, so with the pointer still on it, it stays normal until the pointer has left
// it and entered again.
//
// The menus read the cursor when they handle a move, so the screens are switched here by presses
// posted without moving the cursor, and a move is followed by something visible before the
// cursor moves on.
TEST_F(MenuScreens, OptionAndCloseRedrawWholeScreensAndHoverFlagsSurvive) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain));

  // Main menu: the pointer stays on OPTION all the way there and back.
  view().MoveTo(Main(kOption));
  ASSERT_TRUE(view().Shows(Main(kOption), Look::kHighlighted));
  PostPress(menu(), Centre(Main(kOption)));
  ASSERT_TRUE(view().ShowsWhole(Screen::kOptions));
  PostPress(menu(), Centre(Options(kClose)));
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain)) << "OPTION is drawn normal under the pointer";
  view().MoveTo(Main(kQuit));  // the first move off OPTION draws it normal, as it already is
  ASSERT_TRUE(view().Shows(Main(kQuit), Look::kHighlighted));
  EXPECT_TRUE(view().Shows(Main(kOption), Look::kNormal));
  view().MoveTo(Main(kOption));
  EXPECT_TRUE(view().Shows(Main(kOption), Look::kHighlighted));

  // Options menu: CLOSE is flagged when the main menu takes over, and still when the options
  // menu comes back with the pointer on it; moving within it changes nothing.
  PostPress(menu(), Centre(Main(kOption)));
  ASSERT_TRUE(view().ShowsWhole(Screen::kOptions));
  view().MoveTo(Options(kClose));
  ASSERT_TRUE(view().Shows(Options(kClose), Look::kHighlighted));
  PostPress(menu(), Centre(Options(kClose)));
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain));
  PostPress(menu(), Centre(Main(kOption)));  // the pointer is on CLOSE's place, outside OPTION
  ASSERT_TRUE(view().ShowsWhole(Screen::kOptions)) << "CLOSE is drawn normal under the pointer";
  const POINT close = Centre(Options(kClose));
  view().MoveTo(POINT{close.x - 60, close.y - 10});
  view().MoveTo(POINT{close.x + 60, close.y + 10});
  // Relies on HOW TO PLAY ignoring its command: once it shows pressed, the moves were handled.
  PostPress(menu(), Centre(Options(kHowToPlay)));
  ASSERT_TRUE(view().Shows(Options(kHowToPlay), Look::kPressed));
  EXPECT_TRUE(view().Shows(Options(kClose), Look::kNormal));
  view().MoveTo(Options(kSetupInput));
  ASSERT_TRUE(view().Shows(Options(kSetupInput), Look::kHighlighted));
  EXPECT_TRUE(view().Shows(Options(kClose), Look::kNormal));
  view().MoveTo(Options(kClose));
  EXPECT_TRUE(view().Shows(Options(kClose), Look::kHighlighted));
}

// A repaint draws every button normal, also the one under the pointer, whose hover flag stays
// set: it lights again only after the pointer has left it and come back. The repaints here mark
// nothing for erasing; the next test covers those.
TEST_F(MenuScreens, RepaintLeavesHoveredButtonNormalUntilThePointerReenters) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  view().MoveTo(Main(kStartGame));
  ASSERT_TRUE(view().Shows(Main(kStartGame), Look::kHighlighted));
  RedrawWindow(menu(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(view().ShowsWhole(Screen::kMain));
  view().MoveTo(Main(kNetworkGame));
  ASSERT_TRUE(view().Shows(Main(kNetworkGame), Look::kHighlighted));
  EXPECT_TRUE(view().Shows(Main(kStartGame), Look::kNormal));
  view().MoveTo(Main(kStartGame));
  EXPECT_TRUE(view().Shows(Main(kStartGame), Look::kHighlighted));

  // On the options menu, also with the pointer moving within the button. Relies on HOW TO
  // PLAY ignoring its command: its pressed picture shows when the moves before were handled.
  ASSERT_NO_FATAL_FAILURE(EnterOptions());
  view().MoveTo(Options(kAudio));
  ASSERT_TRUE(view().Shows(Options(kAudio), Look::kHighlighted));
  InvalidateRect(menu(), nullptr, FALSE);
  UpdateWindow(menu());
  EXPECT_TRUE(view().ShowsWhole(Screen::kOptions));
  const POINT inside = Centre(Options(kAudio));
  view().MoveTo(POINT{inside.x - 40, inside.y - 10});
  view().MoveTo(POINT{inside.x + 40, inside.y + 10});
  PostPress(menu(), Centre(Options(kHowToPlay)));
  ASSERT_TRUE(view().Shows(Options(kHowToPlay), Look::kPressed));
  EXPECT_TRUE(view().Shows(Options(kAudio), Look::kNormal));
  view().MoveTo(Options(kSetupInput));
  ASSERT_TRUE(view().Shows(Options(kSetupInput), Look::kHighlighted));
  view().MoveTo(Options(kAudio));
  EXPECT_TRUE(view().Shows(Options(kAudio), Look::kHighlighted));
}

// The system marks what it invalidates for erasing, for example where another window uncovered
// the menu, and the program then paints on its own; the screen must still come back whole.
TEST_F(MenuScreens, RepaintWithErasingShowsTheWholeScreen) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  view().MoveTo(Main(kStartGame));
  ASSERT_TRUE(view().Shows(Main(kStartGame), Look::kHighlighted));
  InvalidateRect(menu(), nullptr, TRUE);
  // A paint waits behind pointer moves in the queue: have it done before the pointer moves on.
  UpdateWindow(menu());
  view().MoveTo(Main(kNetworkGame));
  EXPECT_TRUE(view().ShowsWhole(Screen::kMain, &Main(kNetworkGame)));
}

TEST_F(MenuScreens, QuitEndsWithCodeZeroAfterItsPauseAndWritesTheFlag) {
  ASSERT_TRUE(folder().Write(kFlagFile, "0"));
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  view().MoveTo(Main(kQuit));
  ASSERT_TRUE(view().Shows(Main(kQuit), Look::kHighlighted));
  LARGE_INTEGER frequency, clicked, ended;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&clicked);
  PostPress(menu(), Centre(Main(kQuit)));
  ExitResult exit = app().WaitForExit();
  QueryPerformanceCounter(&ended);
  ASSERT_TRUE(exit.ended) << "the program is still running after QUIT";
  EXPECT_EQ(0u, exit.code);
  const double ms = 1000.0 * (ended.QuadPart - clicked.QuadPart) / frequency.QuadPart;
  EXPECT_GE(ms, 300.0) << "QUIT pauses 300 ms before the program closes";
  EXPECT_EQ("0\r\n", folder().Read(kFlagFile));
}

// Each screen picture is read on its own: a missing main menu picture is reported and the
// other seven are still read.
TEST_F(MenuScreens, MissingMainPictureIsReportedAndTheOthersAreRead) {
  ASSERT_TRUE(folder().Delete("resource\\background\\MainBK.bmp"));
  ASSERT_TRUE(StartToMenu({"Bmp File Open Error", "ReadBMPFile 1"}));
  // The boxes come while the menu window is being created; it must still end up in front of
  // the frame, or the player sees a black screen.
  const RECT menu_rect = WindowRectOf(menu());
  const POINT middle{(menu_rect.left + menu_rect.right) / 2,
                     (menu_rect.top + menu_rect.bottom) / 2};
  EXPECT_EQ(menu(), WindowFromPoint(middle))
      << "the menu window is behind " << ClassOf(WindowFromPoint(middle));
  // Brought forward so that the rest can be checked.
  SetWindowPos(menu(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  MenuView view(menu(), folder().PathOf("zorv3d.exe"), folder().path());
  ASSERT_TRUE(view.ok()) << view.error();
  view.MoveTo(kEmptySpot);
  for (int i = 0; i < kMainButtonCount; ++i) EXPECT_TRUE(view.Shows(Main(i), Look::kNormal));
  view.ClickAt(Main(kOption));
  EXPECT_TRUE(view.ShowsWhole(Screen::kOptions));
  EXPECT_TRUE(NoDialogShowing(app().pid()));
}

// Kept as artefacts for a person to look at: both menus, with and without a lit button.
TEST_F(MenuScreens, ScreenshotsOfBothMenus) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  const RECT menu_rect = WindowRectOf(menu());
  view().MoveTo(kEmptySpot);
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain));
  SaveArtifact(menu_rect, "menu-main");
  view().MoveTo(Main(kStartGame));
  ASSERT_TRUE(view().Shows(Main(kStartGame), Look::kHighlighted));
  SaveArtifact(menu_rect, "menu-main-hover-start");
  ASSERT_NO_FATAL_FAILURE(EnterOptions());
  view().MoveTo(kEmptySpot);
  ASSERT_TRUE(view().ShowsWhole(Screen::kOptions));
  SaveArtifact(menu_rect, "menu-options");
  view().MoveTo(Options(kAudio));
  ASSERT_TRUE(view().Shows(Options(kAudio), Look::kHighlighted));
  SaveArtifact(menu_rect, "menu-options-hover-audio");
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

TEST_F(MenuSounds, HoverSoundOncePerEntryAndClickSoundOncePerClick) {
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  EXPECT_TRUE(SoundsPlayed(app(), 0, 0));

  view().MoveTo(Main(kStartGame));
  ASSERT_TRUE(view().Shows(Main(kStartGame), Look::kHighlighted));
  EXPECT_TRUE(SoundsPlayed(app(), 1, 0));

  // Leaving is silent, and so is a click outside every button; the next entry sounds once.
  view().MoveTo(kEmptySpot);
  view().ClickAt(kEmptySpot);
  view().MoveTo(Main(kNetworkGame));
  ASSERT_TRUE(view().Shows(Main(kNetworkGame), Look::kHighlighted));
  EXPECT_TRUE(SoundsPlayed(app(), 2, 0));

  // OPTION: an entry and a click.
  view().MoveTo(Main(kOption));
  view().ClickAt(Main(kOption));
  ASSERT_TRUE(view().ShowsWhole(Screen::kOptions));
  EXPECT_TRUE(SoundsPlayed(app(), 3, 1));

  // Moving within a button sounds only on entering it; from one button straight onto the next
  // sounds once. Relies on HOW TO PLAY ignoring its command: its pressed picture (and click
  // sound) shows when the moves before it were handled.
  const POINT audio = Centre(Options(kAudio));
  view().MoveTo(Options(kSetupInput));
  // The menu reads the cursor when it handles a move: the next move waits until this one shows.
  ASSERT_TRUE(view().Shows(Options(kSetupInput), Look::kHighlighted));
  view().MoveTo(audio);
  view().MoveTo(POINT{audio.x - 50, audio.y - 8});
  view().MoveTo(POINT{audio.x + 50, audio.y + 8});
  PostPress(menu(), Centre(Options(kHowToPlay)));
  ASSERT_TRUE(view().Shows(Options(kHowToPlay), Look::kPressed));
  EXPECT_TRUE(SoundsPlayed(app(), 5, 2));

  // Two clicks on a button, two click sounds and no further hover sound.
  view().ClickAt(audio);
  view().ClickAt(audio);
  EXPECT_TRUE(SoundsPlayed(app(), 5, 4));

  // CLOSE and QUIT, each an entry and a click. After the program ended the trace is complete.
  view().ClickAt(Options(kClose));
  ASSERT_TRUE(view().ShowsWhole(Screen::kMain));
  ASSERT_NO_FATAL_FAILURE(Quit());
  EXPECT_TRUE(SoundsPlayed(app(), 7, 6));
}

// ---------------------------------------------------------------------------------------------
// The first-run flag file: read at start, written back at the end

class FirstRunFlag : public MenuTest {
 protected:
  // Starts with the file holding `stored`, quits, and returns what the file holds then.
  std::string RoundTrip(const std::string& stored) {
    EXPECT_TRUE(folder().Write(kFlagFile, stored));
    StartMenu();
    if (HasFatalFailure()) return std::string();
    Quit();
    bool found = false;
    std::string written = folder().Read(kFlagFile, &found);
    EXPECT_TRUE(found);
    return written;
  }
};

TEST_F(FirstRunFlag, ZeroIsKeptAndWrittenBack) {
  EXPECT_EQ("0\r\n", RoundTrip("0"));
}

TEST_F(FirstRunFlag, SevenIsKeptAndWrittenBack) {
  EXPECT_EQ("7\r\n", RoundTrip("7\r\n"));
}

TEST_F(FirstRunFlag, EmptyFileCountsAsZero) {
  EXPECT_EQ("0\r\n", RoundTrip(""));
}

TEST_F(FirstRunFlag, MissingFileStopsTheStartWithTheErrorDialog) {
  ASSERT_TRUE(folder().Delete(kFlagFile));
  ASSERT_TRUE(app().Start(folder().path()));
  HWND dialog = WaitForConfigError();
  ASSERT_TRUE(dialog != nullptr);
  EXPECT_TRUE(GetWindow(dialog, GW_OWNER) == nullptr) << "at start-up the dialog has no owner";
  ASSERT_NO_FATAL_FAILURE(ExpectConfigErrorThenExit(dialog, folder().PathOf(kFlagFile)));
  EXPECT_FALSE(folder().Exists(kFlagFile)) << "OK ends the program without writing the flag";
}

// At logoff Windows ends the program after WM_ENDSESSION without destroying its windows.
TEST_F(FirstRunFlag, WrittenWhenTheSessionEnds) {
  ASSERT_TRUE(folder().Write(kFlagFile, "7\r\n"));
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_TRUE(folder().Write(kFlagFile, "0\r\n"));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(menu(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
  EXPECT_NE(0u, answer) << "the program does not hold up the logoff";
  ASSERT_TRUE(SendMessageTimeoutA(menu(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ("7\r\n", folder().Read(kFlagFile));
  EXPECT_TRUE(app().IsRunning()) << "the program is left to Windows to end";
  app().Kill();
}

// Under Wine as root the read-only attribute stops no writer, so the file is held open without
// sharing; the program refuses a read-only target by itself, which the next test checks.
TEST_F(FirstRunFlag, FileHeldOpenAtShutdownBringsTheErrorDialog) {
  ASSERT_TRUE(folder().Write(kFlagFile, "7\r\n"));
  const std::vector<std::string> files = FilesIn(folder().PathOf("info"));
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  std::unique_ptr<FileHold> hold(new FileHold(folder().PathOf(kFlagFile)));
  ASSERT_TRUE(hold->ok());
  view().ClickAt(Main(kQuit));
  ASSERT_NO_FATAL_FAILURE(
      ExpectConfigErrorThenExit(WaitForConfigError(), folder().PathOf(kFlagFileAsWritten)));
  hold.reset();
  EXPECT_EQ("7\r\n", folder().Read(kFlagFile));
  EXPECT_EQ(files, FilesIn(folder().PathOf("info"))) << "the failed save left a file behind";
}

TEST_F(FirstRunFlag, ReadOnlyFileAtShutdownBringsTheErrorDialog) {
  ASSERT_TRUE(folder().Write(kFlagFile, "7\r\n"));
  const std::vector<std::string> files = FilesIn(folder().PathOf("info"));
  ASSERT_NO_FATAL_FAILURE(StartMenu());
  ASSERT_TRUE(folder().SetReadOnly(kFlagFile));
  view().ClickAt(Main(kQuit));
  ASSERT_NO_FATAL_FAILURE(
      ExpectConfigErrorThenExit(WaitForConfigError(), folder().PathOf(kFlagFileAsWritten)));
  EXPECT_EQ("7\r\n", folder().Read(kFlagFile));
  EXPECT_EQ(files, FilesIn(folder().PathOf("info"))) << "the failed save left a file behind";
}

}  // namespace
}  // namespace zorv_e2e
