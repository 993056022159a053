#include "graphics/image_button_screen_win.h"

#include <cstring>
#include <utility>

#include "captions/captions_win.h"
#include "graphics/drawing_win.h"
#include "input/controller_win.h"
#include "input/scroll_bar.h"
#include "platform/thread_dpi_win.h"

namespace zorv {
namespace {

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT && kScrollPageLeft == SB_PAGELEFT &&
                  kScrollPageRight == SB_PAGERIGHT && kScrollThumbPosition == SB_THUMBPOSITION &&
                  kScrollThumbTrack == SB_THUMBTRACK && kScrollLeftEnd == SB_LEFT && kScrollRightEnd == SB_RIGHT &&
                  kScrollEnd == SB_ENDSCROLL,
              "the settings screens' bars hand the system's scroll codes to the stepping rules");

// Gives `dialog` a client area of exactly `client`, in the client coordinates of `owner` (of the
// screen when there is no owner).
void PlaceDialogInPixels(HWND dialog, HWND owner, const ButtonRect& client) {
    RECT frame = {0, 0, client.Width(), client.Height()};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    POINT origin = {client.left, client.top};
    if (owner) origin = ClientToScreenInPixels(owner, origin);
    SetWindowPos(dialog, nullptr, origin.x + frame.left, origin.y + frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Controls missing from the dialog are passed over.
void PlaceControlsInPixels(HWND dialog, const ControlList& controls) {
    for (int i = 0; i < controls.count; ++i) {
        HWND control = GetDlgItem(dialog, controls.entries[i].controlId);
        const ButtonRect place = controls.entries[i].Pixels();
        if (control) MoveWindow(control, place.left, place.top, place.Width(), place.Height(), FALSE);
    }
}

// The window property that names a dialog's screen.
const char kScreenProperty[] = "Zorv3D Screen";

// The screens' key filter. A message filter belongs to the thread that sets it, and the screens
// all run on the program's one thread, one over another at most: its handle is the thread's, set
// while any screen is open.
HHOOK keyFilter = nullptr;
int keyFilterUsers = 0;

// The modal loop of a dialog hands every message to its message filters before the dialog manager
// sees it (MSGF_DIALOGBOX); a key message for one of our screens is the screen's first.
LRESULT CALLBACK FilterScreenKeys(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
        HWND dialog = message->hwnd;
        if (GetWindowLongPtrA(dialog, GWL_STYLE) & WS_CHILD) dialog = GetParent(dialog);
        ImageButtonScreen* screen = ImageButtonScreen::Of(dialog);
        if (screen && screen->FilterKey(dialog, *message)) return TRUE;
    }
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

void UseKeyFilter() {
    if (keyFilterUsers++ == 0)
        keyFilter = SetWindowsHookExA(WH_MSGFILTER, FilterScreenKeys, nullptr, GetCurrentThreadId());
}

void LeaveKeyFilter() {
    if (keyFilterUsers == 0 || --keyFilterUsers > 0) return;
    if (keyFilter) UnhookWindowsHookEx(keyFilter);
    keyFilter = nullptr;
}

// With no window focused (a key field that bound Escape leaves none), the system hands every key
// to the active window as a system key without the Alt context bit: the screen's keys then, as
// they are with a focus.
bool KeyWithoutFocus(LPARAM flags) { return !GetFocus() && !(flags & (1 << 29)); }

// A control that keeps the key for itself (a key field takes every key).
bool KeepsKey(const MSG& message) {
    const LRESULT code =
        SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(const_cast<MSG*>(&message)));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB)) != 0;
}

}  // namespace

POINT MessagePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

ImageButtonScreen::ImageButtonScreen(const ScreenSpec& description, HWND owner, HINSTANCE instance)
    : description_(description), owner_(owner), instance_(instance), background_(description.background) {
    InitButtonScreen(buttons_, description.buttons);
}

// The background, captions and buttons are drawn in pixels; what the template's units become
// through the dialog font differs between systems, so the screen and its controls are put where
// those pixels expect them.
void ImageButtonScreen::Open(HWND dialog, CommandRunner run) {
    run_ = std::move(run);
    if (description_.placement == ScreenPlacement::kCoverOwner) {
        const RECT owner = owner_ ? WindowRectInPixels(owner_) : RECT{0, 0, 0, 0};
        SetWindowPos(dialog, nullptr, owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        PlaceDialogInPixels(dialog, owner_, description_.dialog.Pixels());
    }
    PlaceControlsInPixels(dialog, description_.controls);
    GetClientRect(dialog, &client_);
    PlaceButtons(buttons_.board);
    LoadScreenImages(instance_, buttons_);
    focus_ = NewFocus(FocusStops(description_, stops_));
    keys_.Restart();
    pointer_.Start();
    if (!dialog_ && SetPropA(dialog, kScreenProperty, reinterpret_cast<HANDLE>(this))) {
        dialog_ = dialog;
        UseKeyFilter();
    }
}

ImageButtonScreen* ImageButtonScreen::Of(HWND dialog) {
    return dialog ? reinterpret_cast<ImageButtonScreen*>(GetPropA(dialog, kScreenProperty)) : nullptr;
}

void ImageButtonScreen::EndScreensOver(HWND owner) {
    struct Search {
        static BOOL CALLBACK End(HWND window, LPARAM owner) {
            ImageButtonScreen* screen = Of(window);
            if (screen && screen->owner_ == reinterpret_cast<HWND>(owner)) {
                screen->orphaned_ = true;
                screen->Close();
                EndDialog(window, 0);
            }
            return TRUE;
        }
    };
    EnumThreadWindows(GetCurrentThreadId(), Search::End, reinterpret_cast<LPARAM>(owner));
}

// A modal loop may hand one message to the filters more than once: the same message gets the
// same answer, and a release is counted once.
bool ImageButtonScreen::FilterKey(HWND dialog, const MSG& message) {
    const bool again = message.message == filtered_.message && message.hwnd == filtered_.hwnd &&
                       message.wParam == filtered_.wParam && message.lParam == filtered_.lParam &&
                       message.time == filtered_.time;
    if (!again) {
        filtered_ = message;
        taken_ = TakeKey(dialog, message);
    }
    return taken_;
}

bool ImageButtonScreen::TakeKey(HWND dialog, const MSG& message) {
    const unsigned key = static_cast<unsigned>(message.wParam);
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!keys_.Down(key, KeyRepeated(message.lParam))) return true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!keys_.Up(key)) return true;
        break;
    default: break;
    }
    const bool tab = message.message == WM_KEYDOWN && key == VK_TAB && !KeepsKey(message);
    if (message.hwnd != dialog && !tab) return false;
    SendMessageA(dialog, message.message, message.wParam, message.lParam);
    return true;
}

// The stop the focus is on: the control that has the keyboard focus, if it is one of the
// screen's (the player may have clicked it, or a key field passed the focus on), else the stop
// kept.
int ImageButtonScreen::CurrentStop(HWND dialog) {
    HWND focused = GetFocus();
    if (focused && focused != dialog && GetParent(focused) == dialog) {
        const int stop = FindStop(stops_, focus_.count, false, GetDlgCtrlID(focused));
        if (stop >= 0) focus_.index = stop;
    }
    return focus_.index;
}

// A button stop keeps the keyboard focus on the dialog itself, so that Space reaches it. A control
// taken with Tab or Shift+Tab from a button or from no focus is entered once both keys are up.
void ImageButtonScreen::TakeStop(HWND dialog, int stop, bool byKey) {
    focus_.index = stop;
    focus_.visible = true;
    enterOnRelease_ = nullptr;
    if (stop < 0 || stop >= focus_.count) return;
    if (stops_[stop].isButton) {
        SetFocus(dialog);
        ShowFocus(buttons_, stops_[stop].value, Painter(*this, dialog));
        return;
    }
    ShowFocus(buttons_, -1, Painter(*this, dialog));
    HWND control = GetDlgItem(dialog, stops_[stop].value);
    if (byKey && (GetFocus() == dialog || !GetFocus())) {
        enterOnRelease_ = control;
    } else {
        SetFocus(control);
    }
}

void ImageButtonScreen::MoveFocus(HWND dialog, FocusStep step, bool byKey) {
    focus_.index = CurrentStop(dialog);
    TakeStop(dialog, StepFocus(focus_, step), byKey);
}

void ImageButtonScreen::HideFocus(HWND dialog) {
    focus_.visible = false;
    ShowFocus(buttons_, -1, Painter(*this, dialog));
}

void ImageButtonScreen::DrawWithoutFocus(HWND dialog) {
    const int focused = buttons_.focused;
    buttons_.focused = -1;
    DrawNow(*this, dialog);
    buttons_.focused = focused;
}

void ImageButtonScreen::FocusButton(HWND dialog, int index) {
    TakeStop(dialog, FindStop(stops_, focus_.count, true, index), false);
}

// A button with the focus, pressed as a click would; its command, or 0. A hidden focus is only
// shown.
int ImageButtonScreen::Activate(HWND dialog, bool byKey) {
    if (!focus_.visible) {
        CurrentStop(dialog);
        TakeStop(dialog, RevealFocus(focus_), byKey);
        return 0;
    }
    const int stop = CurrentStop(dialog);
    if (stop < 0 || stop >= focus_.count || !stops_[stop].isButton || GetFocus() != dialog) return 0;
    buttons_.focused = stops_[stop].value;
    return PressButtonIndex(buttons_, stops_[stop].value, Painter(*this, dialog));
}

// Left and right are the arrow keys of a bar or a list; elsewhere they move as up and down. The
// controls are the first stops, in the order of the screen's control list. The answer is written
// after the action: a command may send messages of its own, which would overwrite it.
INT_PTR ImageButtonScreen::OnController(HWND dialog, ControllerAction action) {
    const int stop = CurrentStop(dialog);
    const bool ownArrows = stop >= 0 && stop < description_.controls.count && !stops_[stop].isButton &&
                           std::strcmp(description_.controls.entries[stop].statement, "EDITTEXT") != 0;
    switch (action) {
    case ControllerAction::kLeft:
    case ControllerAction::kRight:
        if (ownArrows) {
            SendMessageA(GetDlgItem(dialog, stops_[stop].value), WM_KEYDOWN,
                         action == ControllerAction::kLeft ? VK_LEFT : VK_RIGHT, 0);
            break;
        }
        MoveFocus(dialog, action == ControllerAction::kLeft ? FocusStep::kPrevious : FocusStep::kNext, false);
        break;
    case ControllerAction::kUp: MoveFocus(dialog, FocusStep::kPrevious, false); break;
    case ControllerAction::kDown: MoveFocus(dialog, FocusStep::kNext, false); break;
    case ControllerAction::kActivate: {
        const int command = Activate(dialog, false);
        if (command) PostMessageA(dialog, kControllerPressDoneMessage, 0, 0);
        Run(command);
        break;
    }
    case ControllerAction::kBack:
        FocusButton(dialog, ButtonIndexOf(description_.buttons, description_.leaveCommand));
        break;
    default: break;
    }
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
    return TRUE;
}

// Tab and Shift+Tab reach the dialog procedure from the key filter whichever window has the
// keyboard focus; Space only while a button stop keeps it on the dialog.
INT_PTR ImageButtonScreen::OnKeyDown(HWND dialog, WPARAM key, LPARAM flags) {
    if (key == VK_TAB) {
        MoveFocus(dialog, GetKeyState(VK_SHIFT) < 0 ? FocusStep::kPrevious : FocusStep::kNext, true);
    } else if (key == VK_SPACE && !KeyRepeated(flags)) {
        Run(Activate(dialog, true));
    }
    return TRUE;
}

INT_PTR ImageButtonScreen::OnKeyUp(HWND dialog, WPARAM key) {
    if (enterOnRelease_) {
        if (GetKeyState(VK_TAB) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_SPACE) < 0) return TRUE;
        SetFocus(enterOnRelease_);
        enterOnRelease_ = nullptr;
    } else if (key == VK_SPACE && buttons_.focused >= 0) {
        DrawNow(*this, dialog, ScreenPart{buttons_.focused, kStateHighlighted});
    }
    return TRUE;
}

void ImageButtonScreen::Draw(HWND dialog, HDC dc, ScreenPart part) {
    if (part.Whole()) {
        DrawSlotScaled(dc, 0, 0, client_.right, client_.bottom, background_);
        if (description_.captions.count > 0)
            DrawCaptions(dialog, dc, description_.captions.entries, description_.captions.count);
    }
    DrawButtons(dc, buttons_, part);
}

void ImageButtonScreen::Close() {
    FreeButtons(buttons_);
    if (!dialog_) return;
    RemovePropA(dialog_, kScreenProperty);
    dialog_ = nullptr;
    LeaveKeyFilter();
}

// A WM_SETFOCUS while a button has the focus keeps it on the dialog.
INT_PTR ImageButtonScreen::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        Draw(dialog, reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);  // erased
        return TRUE;
    case WM_MOUSEMOVE:
        if (pointer_.Moved()) HideFocus(dialog);
        TrackHover(buttons_, MessagePoint(lParam), Painter(*this, dialog));
        return TRUE;
    case WM_LBUTTONDOWN: Run(PressButton(buttons_, MessagePoint(lParam), Painter(*this, dialog))); return TRUE;
    case WM_LBUTTONUP: Release(dialog, lParam); return TRUE;
    case WM_SETFOCUS: {
        const int stop = focus_.index;
        return stop >= 0 && stop < focus_.count && stops_[stop].isButton;
    }
    case WM_KEYDOWN: return OnKeyDown(dialog, wParam, lParam);
    case WM_KEYUP: return OnKeyUp(dialog, wParam);
    case WM_SYSKEYDOWN: return KeyWithoutFocus(lParam) && OnKeyDown(dialog, wParam, lParam);
    case WM_SYSKEYUP: return KeyWithoutFocus(lParam) && OnKeyUp(dialog, wParam);
    case kControllerPressDoneMessage:
        if (buttons_.focused >= 0) DrawNow(*this, dialog, ScreenPart{buttons_.focused, kStateHighlighted});
        return TRUE;
    case kControllerMessage: return OnController(dialog, static_cast<ControllerAction>(wParam));
    case WM_DESTROY: Close(); return FALSE;
    default: return FALSE;
    }
}

}  // namespace zorv
