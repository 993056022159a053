// What the tests read of the picture slots beyond what the program draws with.
#pragma once

#include <windows.h>

#include "graphics/picture_slots_win.h"

namespace zorv_test {

inline bool SlotFilled(int slot) { return zorv::SlotInfo(slot) != nullptr; }
inline unsigned SlotColorCount(int slot) { return zorv::SlotLayout(slot).colorCount; }
inline unsigned SlotColorTableBytes(int slot) { return SlotColorCount(slot) * 4; }

// The entries of the shared palette; 0 before there is one.
inline unsigned SharedColorCount() {
    HPALETTE palette = zorv::SharedPalette();
    return palette ? GetPaletteEntries(palette, 0, 0, nullptr) : 0;
}

}  // namespace zorv_test
