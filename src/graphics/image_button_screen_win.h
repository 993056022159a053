// The shell every settings screen is built on: a dialog drawn from a background picture, its
// captions and its image buttons, laid out in pixels. A screen's state record holds one as a
// member; the screen keeps only what is its own (bars, fields, lists) and dispatches the
// commands Press returns.
#pragma once

#include <windows.h>

#include <functional>

#include "graphics/focus_rules.h"
#include "graphics/image_button_win.h"
#include "graphics/screen_spec.h"
#include "input/controller_input.h"

namespace zorv {

// Posted by a screen to itself after a press it handled from a controller's button 1: the pressed
// button then shows highlighted again, as it does when Space is let go.
constexpr UINT kControllerPressDoneMessage = WM_APP + 27;

// The client point of a mouse message's lParam.
POINT MessagePoint(LPARAM lParam);

class ImageButtonScreen {
public:
    // What a screen does with the command of a button pressed, by a click, a key or a controller.
    using CommandRunner = std::function<void(int command)>;

    ImageButtonScreen(const ScreenSpec& description, HWND owner, HINSTANCE instance);
    ~ImageButtonScreen() { Close(); }
    ImageButtonScreen(const ImageButtonScreen&) = delete;
    ImageButtonScreen& operator=(const ImageButtonScreen&) = delete;

    // At WM_INITDIALOG: the screen and its controls placed in pixels, the buttons where the
    // table puts them, their pictures and palettes loaded, and the screen's keys taken ahead of
    // the dialog manager. `run` runs the screen's commands.
    void Open(HWND dialog, CommandRunner run);

    // The screen's one drawing routine: `part` of its picture into `dc`. The whole picture is the
    // background picture scaled over the client area, the captions and the buttons.
    void Draw(HWND dialog, HDC dc, ScreenPart part = ScreenPart());
    // A screen whose background changes (the how-to-play pages) names the slot to draw.
    void SetBackground(PictureSlot slot) { background_ = slot; }

    // A left-button release, with its lParam: the button under it highlighted again.
    void Release(HWND dialog, LPARAM at) { HandleRelease(buttons_, MessagePoint(at), Painter(*this, dialog)); }

    // What every settings screen does alike with its messages: WM_ERASEBKGND (Draw, whole),
    // WM_MOUSEMOVE (hover pictures and sound; a real pointer move hides the focus), WM_LBUTTONDOWN
    // (the pressed picture and click sound, then the command), WM_LBUTTONUP (Release), WM_DESTROY
    // (Close), and the keyboard and a controller. Tab and Shift+Tab move the focus through the
    // controls and the buttons in the order they stand, Space activates a focused button, a
    // controller's directions move as Tab and Shift+Tab (left and right are a bar's or a list's
    // own keys), its button 1 is Space and its button 2 focuses the button that leaves the screen.
    // While the focus is hidden, Space and button 1 only show it. Enter, Escape and the arrow keys
    // on a button do nothing. A button activated is pressed as a click would press it and its
    // command run. Returns the dialog procedure's answer; FALSE for any other message.
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

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

    // Ends every screen opened over `owner`, which is going: the records its screens were handed
    // go with it, so those screens answer nothing more.
    static void EndScreensOver(HWND owner);
    // The screen shown in `dialog`, or null when `dialog` is not one of ours (a system dialog).
    static ImageButtonScreen* Of(HWND dialog);
    // A key message on its way to `dialog` or one of its controls, before the dialog manager sees
    // it: true when the screen took it. A key already down when the screen appeared counts once it
    // has been let go; the keys of the screen itself, and Tab in a control that does not keep it,
    // go to the dialog procedure, whatever the dialog manager of the system would do with them.
    bool FilterKey(HWND dialog, const MSG& message);

    HWND owner() const { return owner_; }
    // The window the screen was opened over is gone (EndScreensOver).
    bool Orphaned() const { return orphaned_; }
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
    INT_PTR OnController(HWND dialog, ControllerAction action);
    INT_PTR OnKeyDown(HWND dialog, WPARAM key, LPARAM flags);
    INT_PTR OnKeyUp(HWND dialog, WPARAM key);
    int Activate(HWND dialog, bool byKey);
    bool TakeKey(HWND dialog, const MSG& message);
    void Run(int command) {
        if (command && run_) run_(command);
    }

    PictureSlot background_;
    RECT client_ = {};
    ButtonScreen buttons_;
    CommandRunner run_;
    HWND dialog_ = nullptr;  // while open
    bool orphaned_ = false;
    FocusStop stops_[kMaxFocusStops] = {};
    Focus focus_;
    KeyPresses keys_;    // the keys pressed since the screen appeared
    MSG filtered_ = {};  // the last key message filtered, and whether it was taken
    bool taken_ = false;
    // A control taken with a key is entered on the key's release, so that the release does not
    // reach it (a key field would take it as a binding).
    HWND enterOnRelease_ = nullptr;
    PointerMoves pointer_;
};

}  // namespace zorv
