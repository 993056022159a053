// The how-to-play screen as the player uses it: three pages turned with the arrows and never
// past either end, buttons that show normal after every page turn, keys that do not close it,
// CLOSE back to the options menu, and the page kept for the next opening.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "howtoplay/howto_buttons.h"
#include "screens.h"

namespace zorv_e2e {
namespace {

using zorv::kHowToPlayButtons;
enum HowButton { kPrevious, kNext, kCloseHowTo };
constexpr int kPageCount = 3;
constexpr int kPageWidth = 280, kPageHeight = 340;  // the pages are drawn 1:1

POINT CentreOf(int button) {
  const zorv::ButtonRect& r = kHowToPlayButtons[button].hot;
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// By message only: the real cursor stays parked away from the screen.
void PostDown(HWND dialog, POINT p) { PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
void PostUp(HWND dialog, POINT p) { PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
void PostMove(HWND dialog, POINT p) { PostMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
void PostPress(HWND dialog, POINT p) {
  PostDown(dialog, p);
  PostUp(dialog, p);
}

// The how-to-play dialog of a running program, compared with the page pictures of the scratch
// folder and the button pictures of the program's resources.
class HowToPlayView {
 public:
  HowToPlayView(HWND dialog, const std::string& exe, const std::string& folder) : dialog_(dialog) {
    for (int page = 0; page < kPageCount; ++page) {
      pages_[page] = LoadBitmapFile(JoinPath(folder, "resource\\background\\how" + std::to_string(page + 1) + ".bmp"));
      if (!pages_[page].ok()) error_ = "cannot load page picture " + std::to_string(page + 1);
    }
    for (int b = 0; b < 3; ++b) {
      const zorv::ButtonSpec& spec = kHowToPlayButtons[b];
      buttons_[b][0] = LoadBitmapResource(exe, spec.normalResource);
      buttons_[b][1] = LoadBitmapResource(exe, spec.highlightedResource);
      buttons_[b][2] = LoadBitmapResource(exe, spec.pressedResource);
      for (const Picture& p : buttons_[b])
        if (!p.ok()) error_ = "cannot load the pictures of button " + std::to_string(spec.id);
    }
  }
  const std::string& error() const { return error_; }

  // The page the screen shows, -1 when none matches; *detail gets the share of each.
  int PageIn(const ScreenCapture& shot, std::string* detail) const {
    POINT o = Origin();
    int shown = -1;
    detail->clear();
    for (int page = 0; page < kPageCount; ++page) {
      int same = 0, all = 0;
      // Above the button bay, on a grid that catches every line of text.
      for (int y = 2; y < 288; y += 3) {
        for (int x = 1; x < kPageWidth; x += 5, ++all) {
          COLORREF c = shot.Pixel(o.x + x, o.y + y);
          DWORD want = pages_[page].At(x, y);
          same += RGB(want >> 16 & 0xFF, want >> 8 & 0xFF, want & 0xFF) == c;
        }
      }
      *detail += " page " + std::to_string(page) + ": " + std::to_string(100 * same / all) + "%";
      if (same == all) shown = page;
    }
    return shown;
  }

  // Which picture a button shows: 0 normal, 1 highlighted, 2 pressed, -1 none exactly.
  int LookIn(const ScreenCapture& shot, int button) const {
    POINT o = Origin();
    const zorv::ButtonRect& r = kHowToPlayButtons[button].hot;
    for (int look = 0; look < 3; ++look) {
      const Picture& p = buttons_[button][look];
      bool all = true;
      for (int y = 0; y < p.height && all; ++y) {
        for (int x = 0; x < p.width && all; ++x) {
          DWORD want = p.At(x, y);
          all = RGB(want >> 16 & 0xFF, want >> 8 & 0xFF, want & 0xFF) == shot.Pixel(o.x + r.left + x, o.y + r.top + y);
        }
      }
      if (all) return look;
    }
    return -1;
  }

  // Polls until the screen shows `page` with the buttons in these looks (0 normal, 1
  // highlighted, 2 pressed), all in one capture.
  ::testing::AssertionResult Shows(int page, std::vector<int> looks = {0, 0, 0}) const {
    std::string detail, seen;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWindowTimeout; Sleep(20)) {
      ScreenCapture shot = ScreenCapture::WholeScreen();
      int shown = PageIn(shot, &detail);
      std::vector<int> now = {LookIn(shot, 0), LookIn(shot, 1), LookIn(shot, 2)};
      if (shown == page && now == looks) return ::testing::AssertionSuccess();
      seen = "page " + std::to_string(shown) + " (" + detail + "), buttons " + std::to_string(now[0]) + " " +
             std::to_string(now[1]) + " " + std::to_string(now[2]);
    }
    return ::testing::AssertionFailure() << "expected page " << page << " with buttons " << looks[0] << " "
                                         << looks[1] << " " << looks[2] << "; the screen shows " << seen;
  }

  POINT Origin() const {
    POINT o{0, 0};
    ClientToScreen(dialog_, &o);
    return o;
  }

 private:
  HWND dialog_;
  Picture pages_[kPageCount];
  Picture buttons_[3][3];
  std::string error_;
};

class HowToPlay : public GameTest {
 protected:
  void StartInOptions() {
    ASSERT_TRUE(StartToMenu());
    menu_.reset(new MenuView(app().Menu(), folder().PathOf("zorv3d.exe"), folder().path()));
    ASSERT_TRUE(menu_->ok()) << menu_->error();
    menu_->ClickAt(MainMenuButton(kOption));
    ASSERT_TRUE(menu_->ShowsWhole(Screen::kOptions));
  }

  // HOW TO PLAY on the options menu; returns the screen that opens.
  HWND Open() {
    menu_->ClickAt(OptionsMenuButton(kHowToPlay));
    HWND dialog = WaitForDialog(app().pid());
    EXPECT_TRUE(dialog != nullptr) << "HOW TO PLAY opened no dialog";
    if (dialog) view_.reset(new HowToPlayView(dialog, folder().PathOf("zorv3d.exe"), folder().path()));
    if (view_) {
      EXPECT_EQ("", view_->error());
    }
    return dialog;
  }

  MenuView& menu() { return *menu_; }
  HowToPlayView& view() { return *view_; }

 private:
  std::unique_ptr<MenuView> menu_;
  std::unique_ptr<HowToPlayView> view_;
};

TEST_F(HowToPlay, PagesTurnUpToTheirEndsButtonsShowNormalAfterEachTurnAndKeysDoNotClose) {
  ASSERT_NO_FATAL_FAILURE(StartInOptions());
  HWND dialog = Open();
  ASSERT_TRUE(dialog != nullptr);
  // A bare popup over the options menu, the pages 1:1.
  EXPECT_EQ("", TextOf(dialog));
  EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
  RECT client = ClientRectOf(dialog);
  EXPECT_EQ(kPageWidth, client.right);
  EXPECT_EQ(kPageHeight, client.bottom);
  POINT at = view().Origin();
  ScreenToClient(app().Menu(), &at);
  EXPECT_EQ(288, at.x) << "144 dialog units from the options menu's left, at two pixels each";
  EXPECT_EQ(62, at.y);

  // The first opening in a run shows page 0.
  ASSERT_TRUE(view().Shows(0));
  // Previous on page 0 stays there, and repaints over the pressed picture at once: released
  // where no button is, the button stays normal. The move onto CLOSE, handled after the press,
  // tells when it is done.
  PostDown(dialog, CentreOf(kPrevious));
  PostUp(dialog, POINT{5, 5});
  PostMove(dialog, CentreOf(kCloseHowTo));
  EXPECT_TRUE(view().Shows(0, {0, 0, 1}));
  PostMove(dialog, POINT{5, 5});
  ASSERT_TRUE(view().Shows(0));

  // x 73 belongs to the next-page button. While the button is still held, all three buttons
  // show normal over the new page; the release lights the button under the pointer.
  PostDown(dialog, POINT{73, CentreOf(kNext).y});
  EXPECT_TRUE(view().Shows(1, {0, 0, 0}));
  PostUp(dialog, POINT{73, CentreOf(kNext).y});
  EXPECT_TRUE(view().Shows(1, {0, 1, 0}));

  PostPress(dialog, CentreOf(kNext));
  EXPECT_TRUE(view().Shows(2, {0, 1, 0}));
  PostPress(dialog, CentreOf(kNext));
  EXPECT_TRUE(view().Shows(2, {0, 1, 0})) << "next on the last page stays there";

  // Enter, Escape and Alt+F4 are ignored; the page turn after them shows they were handled.
  PostKey(dialog, VK_RETURN);
  PostKey(dialog, VK_ESCAPE);
  PostAltF4(dialog);
  PostPress(dialog, CentreOf(kPrevious));
  EXPECT_TRUE(view().Shows(1, {1, 0, 0}));
  EXPECT_TRUE(IsShown(dialog));
  EXPECT_TRUE(app().IsRunning());
}

TEST_F(HowToPlay, CloseRepaintsTheOptionsMenuAndTheScreenReopensAtTheLastPage) {
  ASSERT_NO_FATAL_FAILURE(StartInOptions());
  HWND dialog = Open();
  ASSERT_TRUE(dialog != nullptr);
  ASSERT_TRUE(view().Shows(0));
  PostPress(dialog, CentreOf(kNext));
  ASSERT_TRUE(view().Shows(1, {0, 1, 0}));
  PostPress(dialog, CentreOf(kNext));
  ASSERT_TRUE(view().Shows(2, {0, 1, 0}));

  PostPress(dialog, CentreOf(kCloseHowTo));
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(menu().ShowsWhole(Screen::kOptions));

  dialog = Open();
  ASSERT_TRUE(dialog != nullptr);
  EXPECT_TRUE(view().Shows(2));
  PostPress(dialog, CentreOf(kCloseHowTo));
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(menu().ShowsWhole(Screen::kOptions));
  PostAltF4(app().Menu());
  EXPECT_EQ(0u, app().WaitForExit().code);
}

}  // namespace
}  // namespace zorv_e2e
