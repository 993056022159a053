// Bitmap resources with their own palettes, screen bitmaps made from picture slots, and
// pictures drawn scaled from a slot.
#pragma once

#include <windows.h>

namespace zorv {

// Loads bitmap resource `id` as a screen-compatible bitmap. Stores its image palette in
// *palette (null for pictures deeper than 8 bits). A missing or malformed resource returns
// null and leaves *palette untouched. The caller owns both handles.
HBITMAP LoadResourceBitmap(HINSTANCE instance, int id, HPALETTE* palette);

// A screen-compatible bitmap of the picture in `slot`; null for an empty slot.
HBITMAP SlotToBitmap(int slot);

// Draws the whole picture of `slot` stretched into (x, y, width, height) of `dc`, through the
// shared palette, dropping or repeating rows and columns. An empty slot draws nothing.
void DrawSlotScaled(HDC dc, int x, int y, int width, int height, int slot);

// Draws slot 0 over the whole client area of `frame`, through an off-screen bitmap.
void DrawFrameBackground(HWND frame);

}  // namespace zorv
