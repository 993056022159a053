#include "keys/key_capture_win.h"

#include "keys/key_bindings.h"
#include "keys/key_table.h"
#include "resources/resource_ids.h"

namespace zorv {
namespace {

static_assert(IDC_KEY_LAST - IDC_KEY_FIRST + 1 == kKeySlotCount, "one key field per action slot");

int SlotOf(HWND field) { return static_cast<int>(GetWindowLongPtrA(field, GWLP_ID)) - IDC_KEY_FIRST; }

// Each field keeps its own edit procedure, which gets every message on, in its user data.
WNDPROC EditProcedureOf(HWND field) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_USERDATA)); }

LRESULT PassOn(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(EditProcedureOf(field), field, message, wParam, lParam);
}

// Binds the key code of `virtualKey` to `slot` and shows its name in the field; a key the
// table does not know is refused silently.
void CaptureKey(HWND field, int slot, int virtualKey) {
    const int code = FindKeyCode(virtualKey);
    if (code == 0) return;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(KeyName(code)));
    BindKey(KeyRecord(), slot, code);
}

LRESULT OnKeyUp(HWND field, int slot, WPARAM wParam, LPARAM lParam) {
    const int virtualKey = static_cast<int>(wParam);
    CaptureKey(field, slot, virtualKey);
    const int next = NextKeySlot(slot, virtualKey);
    SetFocus(next == kNoSlot ? nullptr : GetDlgItem(GetParent(field), IDC_KEY_FIRST + next));
    return PassOn(field, WM_KEYUP, wParam, lParam);
}

LRESULT CALLBACK KeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const int slot = SlotOf(field);
    if (slot < 0 || slot >= kKeySlotCount || !EditProcedureOf(field))
        return DefWindowProcA(field, message, wParam, lParam);
    switch (message) {
    case WM_KEYUP: return OnKeyUp(field, slot, wParam, lParam);
    case WM_RBUTTONDOWN: return 0;
    case WM_RBUTTONUP: return 0;
    case WM_CONTEXTMENU: return 0;
    default: return PassOn(field, message, wParam, lParam);
    }
}

}  // namespace

void InstallKeyCapture(HWND dialog) {
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        HWND field = GetDlgItem(dialog, IDC_KEY_FIRST + slot);
        if (!field || GetWindowLongPtrA(field, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(KeyFieldProc)) continue;
        SetWindowLongPtrA(field, GWLP_USERDATA, GetWindowLongPtrA(field, GWLP_WNDPROC));
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyFieldProc));
    }
}

void ShowBindings(HWND dialog) {
    const KeyBindings& keys = KeyRecord();
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        SetDlgItemTextA(dialog, IDC_KEY_FIRST + slot, KeyName(ShownKeyCode(keys, slot)));
}

}  // namespace zorv
