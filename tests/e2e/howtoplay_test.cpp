// The how-to-play screen as the player uses it: three pages turned with the arrows and never
// past either end, buttons that show normal after every page turn, keys that do not close it,
// CLOSE back to the options menu, and the page kept for the next opening.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "howtoplay/howto_buttons.h"

namespace zorv_e2e {
namespace {

// One screen per page: the same buttons over each page's picture, drawn 1:1.
inline constexpr ScreenSpec kPages[] = {
    {"page 0", zorv::kHowToPlayTable, kHowToPlayPictures[0]},
    {"page 1", zorv::kHowToPlayTable, kHowToPlayPictures[1]},
    {"page 2", zorv::kHowToPlayTable, kHowToPlayPictures[2]},
};
inline constexpr const ButtonSpec& kPrevious = ButtonOf(zorv::kHowToPlayTable, zorv::kCommandPreviousPage);
inline constexpr const ButtonSpec& kNext = ButtonOf(zorv::kHowToPlayTable, zorv::kCommandNextPage);
inline constexpr const ButtonSpec& kCloseHowTo = ButtonOf(zorv::kHowToPlayTable, zorv::kCommandCloseHowToPlay);
// A client point of the screen that no button covers.
constexpr POINT kNoButton{5, 5};

// The left button going down and, separately, up, sent in line like Press sends them.
void Down(HWND window, POINT p) { SendNotifyMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
void Up(HWND window, POINT p) { SendNotifyMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }

class HowToPlay : public GameTest {
protected:
    void StartInOptions() {
        ASSERT_TRUE(StartToMenu());
        menu_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(menu_->ok()) << menu_->error();
        menu_->ClickAt(kOption);
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    }

    // HOW TO PLAY on the options menu; the screen that opens, or null.
    HWND Open() {
        menu_->ClickAt(kHowToPlay);
        return Opened();
    }
    HWND Opened() {
        HWND dialog = WaitForDialog(app().pid());
        if (!dialog) return nullptr;
        view_.reset(
            new ButtonView(dialog, folder().PathOf(kProgramFile), folder().path(), {kPages[0], kPages[1], kPages[2]}));
        EXPECT_TRUE(view_->ok()) << view_->error();
        return dialog;
    }

    // Closes the screen with CLOSE; the options menu shows whole again.
    void Close() {
        HWND dialog = view_->window();
        view_->PressAt(kCloseHowTo);
        ASSERT_TRUE(WaitUntilGone(dialog));
        EXPECT_TRUE(menu_->ShowsWhole(kOptionsScreen));
    }

    ButtonView& view() { return *view_; }
    MenuView& menu() { return *menu_; }

private:
    std::unique_ptr<MenuView> menu_;
    std::unique_ptr<ButtonView> view_;
};

TEST_F(HowToPlay, PagesTurnUpToTheirEndsButtonsShowNormalAfterEachTurnAndKeysDoNotClose) {
    ASSERT_NO_FATAL_FAILURE(StartInOptions());
    HWND dialog = Open();
    ASSERT_TRUE(dialog != nullptr) << "HOW TO PLAY opened no dialog";
    // A bare popup over the options menu, 144 by 31 dialog units from its client origin at two
    // pixels each, the pages 1:1.
    EXPECT_EQ("", TextOf(dialog));
    EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    RECT place = ClientRectOnScreen(dialog);
    MapWindowPoints(nullptr, app().Menu(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(SameRect(place, RECT{288, 62, 288 + 280, 62 + 340}));

    // The first opening in a run shows page 0.
    ASSERT_TRUE(view().ShowsWhole(kPages[0]));
    // Previous on page 0 stays there, and repaints over its pressed picture at once: released
    // where no button is, it shows normal. The pointer then lights CLOSE, once all before is done.
    Down(dialog, Centre(kPrevious));
    Up(dialog, kNoButton);
    view().MoveTo(kCloseHowTo);
    EXPECT_TRUE(view().ShowsWhole(kPages[0], &kCloseHowTo));
    view().MoveTo(kNoButton);

    // x 73 belongs to the next-page button. While it is still held, all three buttons show normal
    // over the new page; the release lights the button under the pointer.
    const POINT edge{73, Centre(kNext).y};
    Down(dialog, edge);
    EXPECT_TRUE(view().ShowsWhole(kPages[1]));
    Up(dialog, edge);
    EXPECT_TRUE(view().ShowsWhole(kPages[1], &kNext));

    view().PressAt(kNext);
    EXPECT_TRUE(view().ShowsWhole(kPages[2], &kNext));
    view().PressAt(kNext);
    EXPECT_TRUE(view().ShowsWhole(kPages[2], &kNext)) << "next on the last page stays there";

    // Enter, Escape and Alt+F4 are ignored. Keys are posted, so the press is posted behind them:
    // the page it turns shows that they were handled.
    PostKey(dialog, VK_RETURN);
    PostKey(dialog, VK_ESCAPE);
    PostAltF4(dialog);
    PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(kPrevious).x, Centre(kPrevious).y));
    PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(Centre(kPrevious).x, Centre(kPrevious).y));
    EXPECT_TRUE(view().ShowsWhole(kPages[1], &kPrevious));
    EXPECT_TRUE(IsShown(dialog));
    EXPECT_TRUE(app().IsRunning());
}

TEST_F(HowToPlay, CloseRepaintsTheOptionsMenuAndTheScreenReopensAtTheLastPage) {
    ASSERT_NO_FATAL_FAILURE(StartInOptions());
    ASSERT_TRUE(Open() != nullptr) << "HOW TO PLAY opened no dialog";
    ASSERT_TRUE(view().ShowsWhole(kPages[0]));
    view().PressAt(kNext);
    view().PressAt(kNext);
    ASSERT_TRUE(view().ShowsWhole(kPages[2], &kNext));
    ASSERT_NO_FATAL_FAILURE(Close());

    ASSERT_TRUE(Open() != nullptr) << "HOW TO PLAY did not open again";
    EXPECT_TRUE(view().ShowsWhole(kPages[2]));
    ASSERT_NO_FATAL_FAILURE(Close());

    // The three pages read with keys only: Enter shows the focus on HOW TO PLAY, used last, a
    // second Enter opens the screen again, Tab moves through the buttons, Space turns a page, after which the buttons
    // show normal until it is released, and closes; Enter and Escape do nothing.
    menu().MoveTo(kEmptySpot);
    ASSERT_TRUE(Activate(app().Menu()) && SendKeys({VK_RETURN}) && SendKeys({VK_RETURN}));
    HWND dialog = Opened();
    ASSERT_TRUE(dialog != nullptr) << "Enter on the options menu did not open HOW TO PLAY";
    // Each key, then the page shown and the button focused.
    const struct {
        WORD vk;
        int page;
        const ButtonSpec* focused;
    } steps[] = {{VK_TAB, 2, &kPrevious}, {VK_SPACE, 1, &kPrevious}, {VK_SPACE, 0, &kPrevious},
                 {VK_TAB, 0, &kNext},     {VK_SPACE, 1, &kNext},     {VK_SPACE, 2, &kNext},
                 {VK_RETURN, 2, &kNext},  {VK_ESCAPE, 2, &kNext},    {VK_TAB, 2, &kCloseHowTo}};
    for (const auto& step : steps) {
        auto shown = [&] { return static_cast<bool>(view().ShowsWhole(kPages[step.page], step.focused, 0)); };
        EXPECT_EQ("", SendKeysInFront(dialog, {step.vk}, shown, kWindowTimeout))
            << "key " << step.vk << ", page " << step.page;
    }
    ASSERT_EQ("", SendKeysInFront(
                      dialog, {VK_SPACE}, [&] { return !IsWindow(dialog); }, kWindowTimeout));
    EXPECT_TRUE(menu().ShowsWhole(kOptionsScreen));
    PostAltF4(app().Menu());
    EXPECT_EQ(0u, app().WaitForExit().code);
}

}  // namespace
}  // namespace zorv_e2e
