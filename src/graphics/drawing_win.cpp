#include "graphics/drawing_win.h"

#include <cstdlib>
#include <utility>

#include "graphics/bmp_format.h"
#include "graphics/picture_slots_win.h"
#include "platform/gdi_guards_win.h"
#include "platform/handle_guards_win.h"
#include "platform/unique_handle.h"

namespace zorv {
namespace {

// The palette of a resource bitmap: 2^depth entries for depths up to 8, none beyond.
HPALETTE CreateImagePalette(const BYTE* table, unsigned count) {
    if (count == 0) return nullptr;
    GlobalBlock memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    if (!memory) return nullptr;
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(memory.bytes());
    FillLogicalPalette(logical, table, count);
    return CreatePalette(logical);
}

// A located resource, loaded for one scope.
using LoadedResource = UniqueHandle<CloseWith<HGLOBAL, FreeResource>>;

}  // namespace

ResourceImage LoadResourceBitmap(HINSTANCE instance, int id) {
    ResourceImage loaded;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found) return loaded;
    LoadedResource resource(LoadResource(instance, found));
    const BYTE* data = resource ? static_cast<const BYTE*>(LockResource(resource.get())) : nullptr;
    if (!data) return loaded;
    const DWORD size = SizeofResource(instance, found);

    // Our own resources, but still checked: the image palette takes 2^depth entries whatever
    // the colours-used field says, so the table must hold that many.
    BmpLayout layout;
    if (ValidateBmpBlock(data, size, &layout) != BmpProblem::None) return loaded;
    unsigned count = layout.bitCount <= 8 ? (1u << layout.bitCount) : 0;
    size_t pixelOffset = kBmpInfoHeaderSize + size_t{count} * 4;
    if (pixelOffset + layout.pixelBytes > size) return loaded;

    WindowDC screen(nullptr);
    GdiObject<HPALETTE> palette(CreateImagePalette(data + kBmpInfoHeaderSize, count));
    {
        SelectedPalette selected(screen.get(), palette.get(), false);
        const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(data);
        loaded.bitmap.reset(
            CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, data + pixelOffset, info, DIB_RGB_COLORS));
    }
    // A palette is handed out only with the bitmap it belongs to.
    if (loaded.bitmap) loaded.palette = std::move(palette);
    return loaded;
}

GdiObject<HBITMAP> SlotToBitmap(int slot) {
    const BITMAPINFO* info = SlotInfo(slot);
    if (!info) return GdiObject<HBITMAP>();
    WindowDC screen(nullptr);
    return GdiObject<HBITMAP>(
        CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, SlotPixels(slot), info, DIB_RGB_COLORS));
}

void DrawSlotScaled(HDC dc, int x, int y, int width, int height, int slot) {
    const BITMAPINFO* info = SlotInfo(slot);
    if (!info || !dc) return;
    SelectedPalette shared(dc, SharedPalette(), true);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, SlotLayout(slot).width, std::abs(SlotLayout(slot).height),
                  SlotPixels(slot), info, DIB_RGB_COLORS, SRCCOPY);
}

void DrawFrameBackground(HWND frame) {
    WindowDC window(frame);
    if (!window) return;
    RECT client = {0, 0, 0, 0};
    GetClientRect(frame, &client);
    GdiObject<HBITMAP> offscreen(CreateCompatibleBitmap(window.get(), client.right, client.bottom));
    MemoryDC memory(window.get());
    if (!offscreen || !memory) return;
    SelectedObject selected(memory.get(), offscreen.get());
    DrawSlotScaled(memory.get(), client.left, client.top, client.right, client.bottom, 0);
    BitBlt(window.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace zorv
