#include "graphics/palette_win.h"

namespace zorv {

void FillLogicalPalette(LOGPALETTE* logical, const BYTE* colorTable, unsigned count) {
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    PALETTEENTRY* entries = logical->palPalEntry;
    for (unsigned i = 0; i < count; ++i) {
        entries[i].peRed = colorTable[i * 4 + 2];
        entries[i].peGreen = colorTable[i * 4 + 1];
        entries[i].peBlue = colorTable[i * 4 + 0];
        entries[i].peFlags = 0;
    }
}

}  // namespace zorv
