// What the tests read of the picture slots beyond what the program draws with.
#pragma once

#include <windows.h>

#include <vector>

#include "graphics/picture_slots_win.h"

namespace zorv_test {

inline bool SlotFilled(int slot) { return zorv::SlotInfo(slot) != nullptr; }
inline unsigned SlotColorCount(int slot) { return zorv::SlotLayout(slot).colorCount; }
// The shared palette's entries laid out as a BMP colour table (blue, green, red, flags).
inline std::vector<BYTE> SharedPaletteAsTable() {
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(zorv::SharedPalette(), 0, 0, nullptr));
    GetPaletteEntries(zorv::SharedPalette(), 0, static_cast<UINT>(entries.size()), entries.data());
    std::vector<BYTE> table;
    for (const PALETTEENTRY& e : entries) table.insert(table.end(), {e.peBlue, e.peGreen, e.peRed, e.peFlags});
    return table;
}

}  // namespace zorv_test
