#include "graphics/dialog_layout_win.h"

namespace zorv {

void PlaceDialogInPixels(HWND dialog, HWND owner, const ButtonRect& client) {
    RECT frame = {0, 0, client.Width(), client.Height()};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    POINT origin = {client.left, client.top};
    if (owner) ClientToScreen(owner, &origin);
    SetWindowPos(dialog, nullptr, origin.x + frame.left, origin.y + frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControlsInPixels(HWND dialog, const ControlSpec* controls, int count) {
    for (int i = 0; i < count; ++i) {
        HWND control = GetDlgItem(dialog, controls[i].controlId);
        const ButtonRect place = controls[i].Pixels();
        if (control) MoveWindow(control, place.left, place.top, place.Width(), place.Height(), FALSE);
    }
}

}  // namespace zorv
