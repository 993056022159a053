// The shell every settings screen is built on: a dialog drawn from a background picture, its
// captions and its image buttons, laid out in pixels. A screen's state record holds one as a
// member; the screen keeps only what is its own (bars, fields, lists) and dispatches the
// commands Press returns.
#pragma once

#include <windows.h>

#include "common/controller_input.h"
#include "graphics/focus_rules.h"
#include "graphics/image_button_win.h"
#include "graphics/screen_spec.h"

namespace zorv {

// The release of a controller's button 1, which the screen posts itself after the press it
// handled: the pressed button shows highlighted again, as after the release of Space.
constexpr UINT kControllerReleaseMessage = WM_APP + 27;

// The client point of a mouse message's lParam.
POINT MessagePoint(LPARAM lParam);

class ImageButtonScreen {
public:
    ImageButtonScreen(const ScreenSpec& description, HWND owner, HINSTANCE instance);
    ~ImageButtonScreen() { Close(); }
    ImageButtonScreen(const ImageButtonScreen&) = delete;
    ImageButtonScreen& operator=(const ImageButtonScreen&) = delete;

    // At WM_INITDIALOG: the screen and its controls placed in pixels, the buttons where the
    // table puts them, their pictures and palettes loaded.
    void Open(HWND dialog);

    // The screen's one drawing routine: `part` of its picture into `dc`. The whole picture is the
    // background picture scaled over the client area, the captions and the buttons.
    void Draw(HWND dialog, HDC dc, ScreenPart part = ScreenPart());
    // A screen whose background changes (the how-to-play pages) names the slot to draw.
    void SetBackground(PictureSlot slot) { background_ = slot; }

    // A left-button press, with its lParam: the pressed picture and click sound. Returns the
    // command to dispatch; 0 when nothing was hit.
    int Press(HWND dialog, LPARAM at) { return PressButton(buttons_, MessagePoint(at), Painter(*this, dialog)); }
    // A left-button release: the button under it highlighted again.
    void Release(HWND dialog, LPARAM at) { HandleRelease(buttons_, MessagePoint(at), Painter(*this, dialog)); }

    // What every settings screen does alike with the other messages: WM_ERASEBKGND (Draw, whole),
    // WM_MOUSEMOVE (hover pictures and sound; a real pointer move hides the focus), WM_LBUTTONUP
    // (Release), WM_DESTROY (Close), and the keyboard and a controller: Tab and Shift+Tab
    // (WM_NEXTDLGCTL) move the focus through the controls and the buttons in the order they
    // stand, Space activates a focused button, a controller's directions move as Tab and
    // Shift+Tab (left and right are a bar's or a list's own keys), its button 1 is Space and its
    // button 2 focuses the button that leaves the screen. Enter and Escape stay ignored. A button
    // activated is pressed as a click would press it, and its command left in *command for the
    // screen to dispatch (0: none). Returns the dialog procedure's answer; FALSE for any other
    // message.
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int* command);

    // Puts the focus on button `index` and shows it.
    void FocusButton(HWND dialog, int index);
    // Hides the focus where it is (the index stays), drawing its button normal.
    void HideFocus(HWND dialog);
    // The whole picture at once with every button normal, the focused one too: a screen that
    // redraws itself over a pressed button shows it so until the button is released.
    void DrawWithoutFocus(HWND dialog);

    // Clears the buttons and frees their pictures and palettes; at the screen's end, and again
    // harmlessly when the window goes.
    void Close();
    // The screen's end: Close, and the dialog ended with 1.
    void End(HWND dialog) {
        Close();
        EndDialog(dialog, 1);
    }

    HWND owner() const { return owner_; }
    // The window the screen was opened over is gone: a close from outside destroyed the menu
    // window, and the records it handed in with it. The screen then answers nothing more.
    bool Orphaned() const { return owner_ && !IsWindow(owner_); }
    HINSTANCE instance() const { return instance_; }
    ButtonScreen& buttons() { return buttons_; }

private:
    const ScreenSpec& description_;
    HWND owner_;
    HINSTANCE instance_;
    // The keyboard and controller focus, over stops_. The button stop it is on is drawn as
    // buttons_.focused while it shows.
    int CurrentStop(HWND dialog);
    void MoveFocus(HWND dialog, FocusStep step, bool byKey);
    void TakeStop(HWND dialog, int stop, bool byKey);
    INT_PTR OnController(HWND dialog, ControllerAction action, int* command);
    int Activate(HWND dialog);

    PictureSlot background_;
    RECT client_ = {};
    ButtonScreen buttons_;
    FocusStop stops_[kMaxFocusStops] = {};
    Focus focus_;
    // A control taken with a key is entered on the key's release, so that the release does not
    // reach it (a key field would take it as a binding).
    HWND enterOnRelease_ = nullptr;
    POINT cursor_ = {-1, -1};  // where the cursor stood at the last pointer move, in the screen
};

}  // namespace zorv
