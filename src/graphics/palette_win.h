// Logical palettes made from a BMP colour table (entries blue, green, red, reserved).
#pragma once

#include <windows.h>

namespace zorv {

// Fills version 0x300, the entry count and `count` entries with flags 0. `logical` must have
// room for `count` entries.
void FillLogicalPalette(LOGPALETTE* logical, const BYTE* colorTable, unsigned count);

}  // namespace zorv
