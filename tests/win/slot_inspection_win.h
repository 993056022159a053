// What the tests read of the picture slots beyond what the program draws with.
#pragma once

#include <windows.h>

#include "graphics/picture_slots_win.h"

namespace zorv_test {

inline bool SlotFilled(int slot) { return zorv::SlotInfo(slot) != nullptr; }
inline unsigned SlotColorCount(int slot) { return zorv::SlotLayout(slot).colorCount; }
inline unsigned SlotColorTableBytes(int slot) { return SlotColorCount(slot) * 4; }
// The shared palette's entries, 0 without one.
inline unsigned SharedColorCount() { return GetPaletteEntries(zorv::SharedPalette(), 0, 0, nullptr); }

}  // namespace zorv_test
