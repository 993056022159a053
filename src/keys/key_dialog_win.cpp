#include "keys/key_dialog_win.h"

#include <utility>

#include "graphics/dpi_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "keys/key_bindings.h"
#include "keys/key_buttons.h"
#include "keys/key_capture_win.h"
#include "keys/key_file_win.h"

namespace zorv {
namespace {

static_assert(kKeyFieldCount == kKeySlotCount, "one key field per action slot");

constexpr int kBackgroundSlot = 3;  // inputBK

struct KeyDialog {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    RECT client = {};
    ButtonScreen buttons;
    // The JOYSTICK pictures are kept in the order of the places they stand in: exchanged while
    // the joystick flag is set, so that every place draws the button standing there.
    bool joysticksExchanged = false;
    // What CANCEL puts back: the record as the file left it when the screen opened.
    KeyBindings atOpening;
};
KeyDialog g_keys;

POINT MessagePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The template's units become pixels through the dialog font, which differs between systems;
// the background and the buttons are drawn in pixels, so the screen covers its owner exactly
// and the fields stand where the background shows their labels. The fields keep no inner
// margins, so that the longest key names ("PageDown", "Backspace") fit their width.
void PlaceInPixels(HWND dialog) {
    RECT owner = {0, 0, 0, 0};
    if (g_keys.owner) GetWindowRect(g_keys.owner, &owner);
    SetWindowPos(dialog, nullptr, owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const KeyFieldPlace& field : kKeyFields) {
        const ButtonRect place = field.Pixels();
        HWND control = GetDlgItem(dialog, field.controlId);
        MoveWindow(control, place.left, place.top, place.Width(), place.Height(), FALSE);
        SendMessageA(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
}

void ArrangeJoysticks() {
    const bool exchanged = KeyRecord().joystick != 0;
    if (exchanged == g_keys.joysticksExchanged) return;
    std::swap(g_keys.buttons.images[kJoystickLeftIndex], g_keys.buttons.images[kJoystickRightIndex]);
    g_keys.joysticksExchanged = exchanged;
}

void DrawJoysticks(HWND dialog) {
    DrawButton(dialog, g_keys.buttons, kJoystickLeftIndex, kStateNormal);
    DrawButton(dialog, g_keys.buttons, kJoystickRightIndex, kStateNormal);
}

// The default table in the fields, and both JOYSTICK buttons redrawn where RESET put them.
void ShowDefaultKeys(HWND dialog) {
    ShowBindings(dialog);
    ArrangeJoysticks();
    DrawJoysticks(dialog);
}

void Close(HWND dialog) {
    FreeButtons(g_keys.buttons);
    g_keys.joysticksExchanged = false;
    EndDialog(dialog, 1);
}

void Done(HWND dialog) {
    WriteKeyBindings(dialog, g_keys.instance, kKeyFileName);
    Close(dialog);
}

void Reset(HWND dialog) {
    ResetKeyBindings(KeyRecord());
    ShowDefaultKeys(dialog);
}

// Forgets every capture, RESET and swap of this opening.
void Cancel(HWND dialog) {
    KeyRecord() = g_keys.atOpening;
    Close(dialog);
}

// The swap shows when the mouse button is released (OnLeftButtonUp).
void Joystick() {
    ToggleJoystick(KeyRecord());
    ArrangeJoysticks();
}

void DispatchKeys(HWND dialog, HINSTANCE, int command) {
    switch (command) {
    case kCommandKeysDone: Done(dialog); break;
    case kCommandKeysReset: Reset(dialog); break;
    case kCommandKeysCancel: Cancel(dialog); break;
    case kCommandJoystickLeft:
    case kCommandJoystickRight: Joystick(); break;
    default: break;
    }
}

void FocusFirstField(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_KEY_FIRST));
    for (const KeyFieldPlace& field : kKeyFields) SendDlgItemMessageA(dialog, field.controlId, EM_SETSEL, 0, -1);
}

INT_PTR OnInitDialog(HWND dialog) {
    UseTemplateFontAtDrawingDpi(dialog);
    PlaceInPixels(dialog);
    GetClientRect(dialog, &g_keys.client);
    InitButtonScreen(g_keys.buttons, kKeyButtonTable, DispatchKeys);
    LoadScreenImages(g_keys.instance, g_keys.buttons);
    g_keys.joysticksExchanged = false;
    // A file that cannot be read ends the program through the error dialog, owned by the screen.
    ReadKeyBindings(dialog, g_keys.instance, kKeyFileName);
    g_keys.atOpening = KeyRecord();
    OpenKeyBindings(KeyRecord());
    ArrangeJoysticks();
    ShowBindings(dialog);
    FocusFirstField(dialog);
    InstallKeyCapture(dialog);
    return FALSE;  // the focus stays in player 1's Up field
}

INT_PTR OnEraseBackground(HWND dialog, HDC dc) {
    DrawSlotScaled(dc, 0, 0, g_keys.client.right, g_keys.client.bottom, kBackgroundSlot);
    DrawAllButtons(dialog, g_keys.buttons);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR OnMouseMove(HWND dialog, LPARAM at) {
    TrackHover(dialog, g_keys.buttons, MessagePoint(at));
    return TRUE;
}

INT_PTR OnLeftButtonDown(HWND dialog, LPARAM at) {
    HandleClick(dialog, g_keys.instance, g_keys.buttons, MessagePoint(at));
    return TRUE;
}

// Over a JOYSTICK place both buttons are drawn where the flag now puts them; over the other
// buttons the one released shows highlighted again.
INT_PTR OnLeftButtonUp(HWND dialog, LPARAM at) {
    const POINT p = MessagePoint(at);
    const int hit = HitButton(g_keys.buttons.board, p.x, p.y);
    if (hit == kJoystickLeftIndex || hit == kJoystickRightIndex) {
        DrawJoysticks(dialog);
    } else {
        HandleRelease(dialog, g_keys.buttons, p);
    }
    return TRUE;
}

// Pictures still held when the window goes (DONE and CANCEL have normally released them) go
// with it.
INT_PTR OnDestroy() {
    FreeButtons(g_keys.buttons);
    g_keys.joysticksExchanged = false;
    return FALSE;
}

// Handles no commands: Enter, Escape and the close command never end the screen.
INT_PTR CALLBACK KeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ERASEBKGND: return OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE: return OnMouseMove(dialog, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(dialog, lParam);
    case WM_LBUTTONUP: return OnLeftButtonUp(dialog, lParam);
    case WM_DESTROY: return OnDestroy();
    default: return FALSE;
    }
}

}  // namespace

bool ShowKeyDialog(HWND owner, HINSTANCE instance) {
    g_keys.owner = owner;
    g_keys.instance = instance;
    g_keys.buttons.imagesNotLoaded = true;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_KEYS), owner, KeyDialogProc, 0) > 0;
}

}  // namespace zorv
