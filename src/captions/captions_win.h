// Reading the caption file, the caption font, and drawing captions at the places a screen
// gives.
#pragma once

#include <windows.h>

#include "captions/caption_places.h"
#include "platform/gdi_guards_win.h"

namespace zorv {

// Fills the caption table from the file; false (and nothing changed) when it cannot be opened.
bool ReadCaptionFile(const char* relative);

// A font of `height` and `width` tenths of a point for the window's display, in the system's
// character set, measured on its context (nothing is drawn there); width 0 keeps the face's own
// proportions.
GdiObject<HFONT> CreateScaledFont(HWND window, const char* face, int height, int width);

// Draws each caption's text from the caption table at its place into `dc` (a context of
// `window`), in the caption font and colour, over what is there.
void DrawCaptions(HWND window, HDC dc, const CaptionPlace* places, int count);

}  // namespace zorv
