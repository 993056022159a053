// The shell every settings screen is built on: a dialog drawn from a background picture, its
// captions and its image buttons, laid out in pixels. A screen's state record holds one as a
// member; the screen keeps only what is its own (bars, fields, lists) and dispatches the
// commands Press returns.
#pragma once

#include <windows.h>

#include "graphics/image_button_win.h"
#include "graphics/screen_spec.h"

namespace zorv {

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
    // WM_MOUSEMOVE (hover pictures and sound), WM_LBUTTONUP (Release) and WM_DESTROY (Close).
    // Returns the dialog procedure's answer; FALSE for any other message.
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Clears the buttons and frees their pictures and palettes; at the screen's end, and again
    // harmlessly when the window goes.
    void Close();
    // The screen's end: Close, and the dialog ended with 1.
    void End(HWND dialog) {
        Close();
        EndDialog(dialog, 1);
    }

    HWND owner() const { return owner_; }
    HINSTANCE instance() const { return instance_; }
    ButtonScreen& buttons() { return buttons_; }

private:
    const ScreenSpec& description_;
    HWND owner_;
    HINSTANCE instance_;
    PictureSlot background_;
    RECT client_ = {};
    ButtonScreen buttons_;
};

}  // namespace zorv
