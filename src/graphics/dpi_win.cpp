#include "graphics/dpi_win.h"

#include "common/gdi_guards_win.h"

namespace zorv {
namespace {

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

}  // namespace

GdiObject<HFONT> UseTemplateFontAtDrawingDpi(HWND dialog) {
    GdiObject<HFONT> font;
    const int dpi = SystemDpi(dialog);
    const HFONT templateFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (dpi == kDrawingDpi || dpi <= 0 || !templateFont ||
        !GetObjectA(templateFont, sizeof description, &description)) {
        return font;
    }
    description.lfHeight = HeightAtDrawingDpi(description.lfHeight, dpi);
    description.lfWidth = 0;
    font.reset(CreateFontIndirectA(&description));
    if (!font) return font;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    return font;
}

}  // namespace zorv
