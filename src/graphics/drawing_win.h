// Bitmap resources with their own palettes, screen bitmaps made from picture slots, and
// pictures drawn scaled from a slot.
#pragma once

#include <windows.h>

#include "platform/gdi_guards_win.h"

namespace zorv {

// A bitmap resource as a screen-compatible bitmap, with the image palette it carries.
struct ResourceImage {
    GdiObject<HBITMAP> bitmap;
    GdiObject<HPALETTE> palette;  // empty for pictures deeper than 8 bits
    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// Loads bitmap resource `id`. A missing or malformed resource gives an empty image, and
// no palette either.
ResourceImage LoadResourceBitmap(HINSTANCE instance, int id);

// A screen-compatible bitmap of the picture in `slot`; empty for an empty slot.
GdiObject<HBITMAP> SlotToBitmap(int slot);

// Draws the whole picture of `slot` stretched into (x, y, width, height) of `dc`, through the
// shared palette, dropping or repeating rows and columns. An empty slot draws nothing. The
// context's palette is put back afterwards.
void DrawSlotScaled(HDC dc, int x, int y, int width, int height, int slot);

// Draws slot 0 over the whole client area of `frame`, through an off-screen bitmap.
void DrawFrameBackground(HWND frame);

}  // namespace zorv
