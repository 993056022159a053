#include "graphics/dpi_win.h"

#include "common/gdi_guards_win.h"

namespace zorv {
namespace {

// A dialog whose controls use a font of its own keeps it in this property, and the window
// procedure it had before in the other, until it is destroyed.
constexpr char kFontProperty[] = "Zorv3D.DrawingDpiFont";
constexpr char kNextProcedureProperty[] = "Zorv3D.DrawingDpiFontNext";

constexpr int kPointsPerInch = 72;

int SystemDpi(HWND window) {
    WindowDC dc(window);
    return dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : kDrawingDpi;
}

// The template's font height at kDrawingDpi, from the height the dialog manager gave it at `dpi`
// (minus for a character height, as the dialog manager makes it). A template holds whole
// points, and a height rounded to whole pixels at 72 pixels per inch or more rounds back to
// them.
LONG HeightAtDrawingDpi(LONG height, int dpi) {
    const int points = MulDiv(height < 0 ? -height : height, kPointsPerInch, dpi);
    const LONG atDrawingDpi = MulDiv(points, kDrawingDpi, kPointsPerInch);
    return height < 0 ? -atDrawingDpi : atDrawingDpi;
}

// Passes everything on to the dialog's own procedure; when the dialog is destroyed, after its
// controls, the font goes with it.
LRESULT CALLBACK FontOwningProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC next = reinterpret_cast<WNDPROC>(GetPropA(dialog, kNextProcedureProperty));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        RemovePropA(dialog, kNextProcedureProperty);
        GdiObject<HFONT> font(static_cast<HFONT>(RemovePropA(dialog, kFontProperty)));
    }
    return CallWindowProcA(next, dialog, message, wParam, lParam);
}

// Makes the dialog the owner of the font; false (the font still the caller's) when it cannot.
bool GiveFont(HWND dialog, HFONT font) {
    const LONG_PTR next = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    if (!next || !SetPropA(dialog, kNextProcedureProperty, reinterpret_cast<HANDLE>(next))) return false;
    if (!SetPropA(dialog, kFontProperty, font)) {
        RemovePropA(dialog, kNextProcedureProperty);
        return false;
    }
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FontOwningProcedure));
    return true;
}

}  // namespace

void UseTemplateFontAtDrawingDpi(HWND dialog) {
    // A second call finds the controls with the font already.
    if (!dialog || GetPropA(dialog, kFontProperty)) return;
    const int dpi = SystemDpi(dialog);
    const HFONT templateFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (dpi == kDrawingDpi || dpi <= 0 || !templateFont ||
        !GetObjectA(templateFont, sizeof description, &description)) {
        return;
    }
    description.lfHeight = HeightAtDrawingDpi(description.lfHeight, dpi);
    description.lfWidth = 0;
    GdiObject<HFONT> font(CreateFontIndirectA(&description));
    if (!font || !GiveFont(dialog, font.get())) return;
    const HFONT owned = font.release();
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(owned), TRUE);
    }
}

}  // namespace zorv
