// The nine picture slots: BMP files read whole into memory, and the shared palette built
// from the last palettised picture read. Slot 0 is the frame's background, slots 1 to 8
// the menu's screen pictures.
#pragma once

#include <windows.h>

#include "graphics/bmp_format.h"
#include "graphics/picture_slot.h"

namespace zorv {

constexpr int kPictureSlotCount = kLastScreenSlot + 1;

// Reads `fileName` into `slot`; false after telling the player why not. A refused file leaves
// the slot empty; a full path longer than MAX_PATH is refused as a file that cannot be opened.
bool ReadPicture(const char* fileName, int slot);

// Frees every slot's memory and the logical palette memory. Safe to call again.
void ReleasePictures();

// The picture in a slot; an empty or out-of-range slot answers null, or a layout of zeros.
const BITMAPINFO* SlotInfo(int slot);
const void* SlotPixels(int slot);
const BmpLayout& SlotLayout(int slot);  // its height as stored: negative for top-down pictures

// Fills a logical palette from a BMP colour table (entries blue, green, red, reserved): version
// 0x300, the entry count and `count` entries with flags 0. `logical` must have room for them.
void FillLogicalPalette(LOGPALETTE* logical, const BYTE* colorTable, unsigned count);

// The palette of the last palettised picture read, or null before the first.
HPALETTE SharedPalette();

}  // namespace zorv
