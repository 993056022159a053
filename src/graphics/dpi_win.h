// The dialogs' control fonts at the resolution the screens are made for (common/drawing_dpi.h).
#pragma once

#include <windows.h>

#include "common/drawing_dpi.h"
#include "common/gdi_guards_win.h"

namespace zorv {

// Gives the dialog's controls the font of its template at kDrawingDpi, in place of the one the
// dialog manager made for the system's resolution; their text then has its size and the
// drop-down lists their heights as on Windows. Call it first in WM_INITDIALOG, before the
// controls are placed and set up: a new font gives an edit field its default margins again.
// Returns the font, which the caller keeps until the dialog and its controls are gone; an
// empty one, and nothing changed, when the system's resolution is kDrawingDpi or the template
// names no font.
GdiObject<HFONT> UseTemplateFontAtDrawingDpi(HWND dialog);

}  // namespace zorv
