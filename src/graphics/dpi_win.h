// The display resolution the screens are made for, whatever resolution the system reports.
#pragma once

#include <windows.h>

namespace zorv {

// Pixels per inch that text sizes are converted at. The program declares no DPI awareness, so
// Windows tells it 96 on every display and scales its windows as a whole on a denser one; the
// screens are pixel pictures with controls and captions placed in their pixels, so their text
// is made for 96 too. Wine instead tells the program the resolution the user set
// (HKCU\Control Panel\Desktop\LogPixels) and scales nothing, so asking the system would grow
// the text over the pictures.
constexpr int kDrawingDpi = 96;

// Gives the dialog's controls the font of its template at kDrawingDpi, in place of the one the
// dialog manager made for the system's resolution; their text then has its size and the
// drop-down lists their heights as on Windows. Call it first in WM_INITDIALOG, before the
// controls are placed and set up: a new font gives an edit field its default margins again.
// The font is the dialog's: it is deleted once the dialog and its controls are gone. Does
// nothing when the system's resolution is kDrawingDpi or the template names no font.
void UseTemplateFontAtDrawingDpi(HWND dialog);

}  // namespace zorv
