#include "graphics/image_button_screen_win.h"

#include "captions/captions_win.h"
#include "common/scroll_bar.h"
#include "common/thread_dpi_win.h"
#include "graphics/drawing_win.h"

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
void ImageButtonScreen::Open(HWND dialog) {
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
}

void ImageButtonScreen::Draw(HWND dialog, HDC dc, ScreenPart part) {
    if (part.Whole()) {
        DrawSlotScaled(dc, 0, 0, client_.right, client_.bottom, background_);
        if (description_.captions.count > 0)
            DrawCaptions(dialog, dc, description_.captions.entries, description_.captions.count);
    }
    DrawButtons(dc, buttons_, part);
}

void ImageButtonScreen::Close() { FreeButtons(buttons_); }

INT_PTR ImageButtonScreen::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        Draw(dialog, reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);  // erased
        return TRUE;
    case WM_MOUSEMOVE: TrackHover(buttons_, MessagePoint(lParam), Painter(*this, dialog)); return TRUE;
    case WM_LBUTTONUP: Release(dialog, lParam); return TRUE;
    case WM_DESTROY: Close(); return FALSE;
    default: return FALSE;
    }
}

}  // namespace zorv
