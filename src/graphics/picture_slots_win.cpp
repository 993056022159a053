#include "graphics/picture_slots_win.h"

#include <utility>

#include "platform/gdi_guards_win.h"
#include "platform/handle_guards_win.h"
#include "platform/message_box_win.h"
#include "platform/unique_handle.h"
#include "settings/full_path_win.h"

namespace zorv {
namespace {

struct HeldPicture {
    BmpFileHeader fileHeader;
    GlobalBlock memory;           // the locked block: information header, colours, pixels
    const BYTE* image = nullptr;  // its bytes while the slot is filled
    BmpLayout layout;
};

struct SharedPaletteState {
    GlobalBlock memory;  // the LOGPALETTE the palette was made from
    GdiObject<HPALETTE> palette;
};

// Process-wide: the program has these nine slots and one shared palette from start-up to the
// menu window's end; the frame, the menus and every settings screen draw from them.
HeldPicture g_slots[kPictureSlotCount];
SharedPaletteState g_palette;

HeldPicture* Slot(int slot) { return (slot >= 0 && slot < kPictureSlotCount) ? &g_slots[slot] : nullptr; }

const HeldPicture* FilledSlot(int slot) {
    const HeldPicture* s = Slot(slot);
    return (s && s->image) ? s : nullptr;
}

void FreeSlot(HeldPicture& s) {
    s.memory.reset();
    s.image = nullptr;
    s.layout = BmpLayout();
}

// A file opened with _lopen, closed on every way out of the reader.
using OpenFile = UniqueHandle<CloseWith<HFILE, _lclose, HFILE_ERROR>>;

// Tells the player why a picture or palette cannot be had; false for the caller to return.
bool Refuse(const char* why) {
    ShowMessage(why);
    return false;
}

// Bytes left in the file after the current position, without moving it.
LONG BytesLeft(HFILE file) {
    LONG here = _llseek(file, 0, FILE_CURRENT);
    LONG end = _llseek(file, 0, FILE_END);
    _llseek(file, here, FILE_BEGIN);
    return (here < 0 || end < here) ? 0 : end - here;
}

// Rebuilds the shared palette from a picture just read; true also for a picture without colour
// table, false when no memory could be had for it.
bool BuildSharedPalette(const HeldPicture& s) {
    unsigned count = s.layout.colorCount;
    if (count == 0) return true;

    GlobalBlock memory(count * 4 + 8);
    if (!memory) return Refuse("Palette memory over");
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(memory.bytes());
    FillLogicalPalette(logical, s.image + s.layout.colorTableOffset, count);
    HPALETTE palette = CreatePalette(logical);

    // The previous palette and its memory are replaced, not leaked.
    g_palette.memory = std::move(memory);
    if (palette) g_palette.palette.reset(palette);
    return palette != nullptr;
}

}  // namespace

bool ReadPicture(const char* fileName, int slot) {
    HeldPicture* s = Slot(slot);
    if (!s) return false;

    // A full path that does not fit is not opened: a cut one could name another file.
    char path[MAX_PATH];
    OpenFile file(FullPath(fileName, path) ? _lopen(path, OF_READ) : HFILE_ERROR);
    if (!file) return Refuse("Bmp File Open Error");

    BYTE header[kBmpFileHeaderSize];
    if (_lread(file.get(), header, sizeof header) != sizeof header) return Refuse("Bmp File Header Read Error");
    DecodeBmpFileHeader(header, sizeof header, &s->fileHeader);
    if (s->fileHeader.type != kBmpSignature) return Refuse("Bmp File Not Format");

    // A size field below 14 would make the block size wrap to a huge value that no
    // allocation can satisfy.
    uint32_t blockSize = 0;
    if (!BmpBlockSize(s->fileHeader, &blockSize)) return Refuse("over Memory");
    // A file shorter than its size field is refused before anything that size is allocated.
    if (blockSize > static_cast<uint32_t>(BytesLeft(file.get()))) return Refuse("Bmp File Read Fail");

    FreeSlot(*s);
    GlobalBlock memory(blockSize);
    if (!memory) return Refuse("over Memory");
    if (_lread(file.get(), memory.bytes(), blockSize) != blockSize) return Refuse("Bmp File Read Fail");

    if (ValidateBmpBlock(memory.bytes(), blockSize, &s->layout) != BmpProblem::None)
        return Refuse("Bmp File Not Format");

    s->image = memory.bytes();
    s->memory = std::move(memory);
    BuildSharedPalette(*s);
    return true;
}

void FillLogicalPalette(LOGPALETTE* logical, const BYTE* colorTable, unsigned count) {
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (unsigned i = 0; i < count; ++i) {
        const BYTE* color = colorTable + i * 4;
        logical->palPalEntry[i] = PALETTEENTRY{color[2], color[1], color[0], 0};
    }
}

void ReleasePictures() {
    for (HeldPicture& s : g_slots) FreeSlot(s);
    g_palette.memory.reset();
}

const BITMAPINFO* SlotInfo(int slot) {
    const HeldPicture* s = FilledSlot(slot);
    return s ? reinterpret_cast<const BITMAPINFO*>(s->image) : nullptr;
}

const void* SlotPixels(int slot) {
    const HeldPicture* s = FilledSlot(slot);
    return s ? s->image + s->layout.pixelOffset : nullptr;
}

// An empty slot's layout is all zero.
const BmpLayout& SlotLayout(int slot) {
    static const BmpLayout kEmpty;
    const HeldPicture* s = FilledSlot(slot);
    return s ? s->layout : kEmpty;
}

HPALETTE SharedPalette() { return g_palette.palette.get(); }

}  // namespace zorv
