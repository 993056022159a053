#include "keys/key_dialog_win.h"

#include <utility>

#include "graphics/image_button_screen_win.h"
#include "keys/key_buttons.h"
#include "keys/key_file_win.h"
#include "keys/key_table.h"
#include "platform/dialog_state_win.h"
#include "settings/game_files.h"

namespace zorv {
namespace {

static_assert(kKeyFieldCount == kKeySlotCount && IDC_KEY_LAST - IDC_KEY_FIRST + 1 == kKeySlotCount,
              "one key field per action slot");

// One opening of the screen; the bindings are the caller's.
struct KeyDialog {
    ImageButtonScreen screen;
    KeyBindings& keys;
    // The JOYSTICK pictures are kept in the order of the places they stand in: exchanged while
    // the joystick flag is set, so that every place draws the button standing there.
    bool joysticksExchanged = false;
    // What CANCEL puts back: the record as the file left it when the screen opened.
    KeyBindings atOpening;
};

// The key fields: twelve read-only edit controls that show the bindings and take a key on its
// release.

int SlotOf(HWND field) { return static_cast<int>(GetWindowLongPtrA(field, GWLP_ID)) - IDC_KEY_FIRST; }

// Each field keeps its own edit procedure, which gets every message on, in its user data.
WNDPROC EditProcedureOf(HWND field) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_USERDATA)); }

LRESULT PassOn(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(EditProcedureOf(field), field, message, wParam, lParam);
}

// Binds the key code of `virtualKey` to `slot` in the screen's bindings and shows its name in
// the field; a key the table does not know is refused silently.
void CaptureKey(HWND field, int slot, int virtualKey) {
    const int code = FindKeyCode(virtualKey);
    KeyDialog* state = DialogState<KeyDialog>(GetParent(field));
    if (code == 0 || !state || state->screen.Orphaned()) return;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(KeyName(code)));
    BindKey(state->keys, slot, code);
}

LRESULT OnKeyUp(HWND field, int slot, WPARAM wParam, LPARAM lParam) {
    const int virtualKey = static_cast<int>(wParam);
    CaptureKey(field, slot, virtualKey);
    const int next = NextKeySlot(slot, virtualKey);
    SetFocus(next == kNoSlot ? nullptr : GetDlgItem(GetParent(field), IDC_KEY_FIRST + next));
    return PassOn(field, WM_KEYUP, wParam, lParam);
}

// A field taking the focus, by a click too, takes it from a button, which shows normal again.
void OnFieldFocus(HWND field) {
    KeyDialog* state = DialogState<KeyDialog>(GetParent(field));
    if (state && !state->screen.Orphaned()) state->screen.HideFocus(GetParent(field));
}

LRESULT CALLBACK KeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const int slot = SlotOf(field);
    if (slot < 0 || slot >= kKeySlotCount || !EditProcedureOf(field))
        return DefWindowProcA(field, message, wParam, lParam);
    switch (message) {
    case WM_KEYUP: return OnKeyUp(field, slot, wParam, lParam);
    // Every key is the field's: Tab, the arrows, Enter and Escape are not the dialog's here.
    case WM_GETDLGCODE: return PassOn(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
    // F10 never reaches the capture; it takes the focus to DONE, as on the rest of the screen.
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10) return SendMessageA(GetParent(field), message, wParam, lParam);
        return PassOn(field, message, wParam, lParam);
    case WM_SETFOCUS: OnFieldFocus(field); return PassOn(field, message, wParam, lParam);
    case WM_RBUTTONDOWN: return 0;
    case WM_RBUTTONUP: return 0;
    case WM_CONTEXTMENU: return 0;
    default: return PassOn(field, message, wParam, lParam);
    }
}

// Replaces the window procedure of each key field of `dialog` with the key capture procedure,
// keeping the edit control's own. A key released in a field binds it, when the key table knows
// it, and the focus moves to the next slot's field (none after Escape); a right click opens no
// menu.
void InstallKeyCapture(HWND dialog) {
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        HWND field = GetDlgItem(dialog, IDC_KEY_FIRST + slot);
        if (!field || GetWindowLongPtrA(field, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(KeyFieldProc)) continue;
        SetWindowLongPtrA(field, GWLP_USERDATA, GetWindowLongPtrA(field, GWLP_WNDPROC));
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyFieldProc));
    }
}

// Sets every key field's text to the name of what a save would write for its slot.
void ShowBindings(const KeyBindings& keys, HWND dialog) {
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        SetDlgItemTextA(dialog, IDC_KEY_FIRST + slot, KeyName(ShownKeyCode(keys, slot)));
}

void ArrangeJoysticks(KeyDialog& state) {
    const bool exchanged = state.keys.joystick != 0;
    if (exchanged == state.joysticksExchanged) return;
    ButtonImages* images = state.screen.buttons().images;
    std::swap(images[kJoystickLeftIndex], images[kJoystickRightIndex]);
    state.joysticksExchanged = exchanged;
}

void DrawJoysticks(KeyDialog& state, HWND dialog) {
    for (int place : {kJoystickLeftIndex, kJoystickRightIndex}) DrawNow(state.screen, dialog, ScreenPart{place});
}

void Done(KeyDialog& state, HWND dialog) {
    WriteKeyBindings(dialog, state.screen.instance(), kKeyBindingsFile, state.keys);
    state.screen.End(dialog);
}

// The default table in the fields, and both JOYSTICK buttons redrawn where RESET put them.
void Reset(KeyDialog& state, HWND dialog) {
    ResetKeyBindings(state.keys);
    ShowBindings(state.keys, dialog);
    ArrangeJoysticks(state);
    DrawJoysticks(state, dialog);
}

// Forgets every capture, RESET and swap of this opening.
void Cancel(KeyDialog& state, HWND dialog) {
    state.keys = state.atOpening;
    state.screen.End(dialog);
}

// The swap shows when the mouse button is released (OnLeftButtonUp).
void Joystick(KeyDialog& state) {
    ToggleJoystick(state.keys);
    ArrangeJoysticks(state);
}

// The fields keep no inner margins, so that the longest key names ("PageDown", "Backspace") fit
// their width.
void RemoveFieldMargins(HWND dialog) {
    for (const KeyFieldPlace& field : kKeyFields)
        SendDlgItemMessageA(dialog, field.controlId, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
}

void FocusFirstField(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_KEY_FIRST));
    for (const KeyFieldPlace& field : kKeyFields) SendDlgItemMessageA(dialog, field.controlId, EM_SETSEL, 0, -1);
}

void RunCommand(KeyDialog& state, HWND dialog, int command);

INT_PTR OnInitDialog(KeyDialog& state, HWND dialog) {
    state.screen.Open(dialog, [&state, dialog](int command) { RunCommand(state, dialog, command); });
    RemoveFieldMargins(dialog);
    // A file that cannot be read ends the program through the error dialog, owned by the screen.
    ReadKeyBindings(dialog, state.screen.instance(), kKeyBindingsFile, state.keys);
    state.atOpening = state.keys;
    OpenKeyBindings(state.keys);
    ArrangeJoysticks(state);
    ShowBindings(state.keys, dialog);
    FocusFirstField(dialog);
    InstallKeyCapture(dialog);
    return FALSE;  // the focus stays in player 1's Up field
}

// A button's command, from a click, the keyboard or a controller.
void RunCommand(KeyDialog& state, HWND dialog, int command) {
    switch (command) {
    case kCommandKeysDone: Done(state, dialog); break;
    case kCommandKeysReset: Reset(state, dialog); break;
    case kCommandKeysCancel: Cancel(state, dialog); break;
    case kCommandJoystickLeft:
    case kCommandJoystickRight: Joystick(state); break;
    default: break;
    }
}

bool OnJoystickPlace(KeyDialog& state) {
    const int focused = state.screen.buttons().focused;
    return focused == kJoystickLeftIndex || focused == kJoystickRightIndex;
}

// A JOYSTICK place activated from the keyboard or a controller shows the swap when Space or the
// button is released, as a click does when the mouse button is: both buttons normal, the focus
// hidden with them.
INT_PTR OnOtherMessage(KeyDialog& state, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool released = (message == WM_KEYUP && wParam == VK_SPACE) || message == kControllerPressDoneMessage;
    if (released && OnJoystickPlace(state)) {
        state.screen.HideFocus(dialog);
        DrawJoysticks(state, dialog);
    }
    return state.screen.HandleMessage(dialog, message, wParam, lParam);
}

// F10, a system key that binds nothing, takes the focus to DONE from a field, from a button or
// from no focus at all (after Escape was bound); its release is the screen's.
INT_PTR OnSystemKey(KeyDialog& state, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam != VK_F10) return OnOtherMessage(state, dialog, message, wParam, lParam);
    if (message == WM_SYSKEYDOWN) state.screen.FocusButton(dialog, ButtonIndexOf(kKeyButtonTable, kCommandKeysDone));
    return TRUE;
}

// Over a JOYSTICK place both buttons are drawn where the flag now puts them; over the other
// buttons the one released shows highlighted again.
INT_PTR OnLeftButtonUp(KeyDialog& state, HWND dialog, LPARAM at) {
    const POINT p = MessagePoint(at);
    const int hit = HitButton(state.screen.buttons().board, p.x, p.y);
    if (hit == kJoystickLeftIndex || hit == kJoystickRightIndex) {
        DrawJoysticks(state, dialog);
    } else {
        state.screen.Release(dialog, at);
    }
    return TRUE;
}

// Handles no commands: Enter, Escape and the close command never end the screen.
INT_PTR CALLBACK KeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    KeyDialog* state = DialogState<KeyDialog>(dialog, message, lParam);
    if (!state || state->screen.Orphaned()) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(*state, dialog);
    case WM_LBUTTONUP: return OnLeftButtonUp(*state, dialog, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return OnSystemKey(*state, dialog, message, wParam, lParam);
    default: return OnOtherMessage(*state, dialog, message, wParam, lParam);
    }
}

}  // namespace

bool ShowKeyDialog(HWND owner, HINSTANCE instance, KeyBindings& keys) {
    KeyDialog state{ImageButtonScreen(kKeyScreen, owner, instance), keys, false, keys};
    return RunDialog(instance, kKeyScreen.dialog.templateId, owner, KeyDialogProc, state) > 0;
}

}  // namespace zorv
