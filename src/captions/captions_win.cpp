#include "captions/captions_win.h"

#include <cstring>
#include <string>

#include "captions/caption_file.h"
#include "common/config_file_win.h"
#include "common/full_path_win.h"
#include "common/gdi_guards_win.h"

namespace zorv {
namespace {

// The caption file is a few hundred bytes; anything past this is not read.
constexpr size_t kMaxCaptionText = 64 * 1024;

const COLORREF kCaptionColor = RGB(0, 255, 0);

struct CaptionPlace {
    const char* text;
    int x;
    int y;
};

int AverageCharWidth(HDC dc, HFONT font) {
    SelectedObject selected(dc, font);
    TEXTMETRICA metrics = {};
    return GetTextMetricsA(dc, &metrics) ? metrics.tmAveCharWidth : 0;
}

void DrawCaptions(HWND dialog, const CaptionPlace* places, size_t count) {
    WindowDC dc(dialog);
    if (!dc) return;
    const CaptionTable& table = Captions();
    GdiObject<HFONT> font(
        CreateScaledFont(dialog, table.face, CaptionDrawingHeight(table), table.width));
    // The stock system font takes the caption font's place at the end, so that it can go.
    SelectedObject selection(dc.get(), font.get(), GetStockObject(SYSTEM_FONT));
    SetTextColor(dc.get(), kCaptionColor);
    SetBkMode(dc.get(), TRANSPARENT);
    for (size_t i = 0; i < count; ++i) {
        const CaptionPlace& place = places[i];
        TextOutA(dc.get(), place.x, place.y, place.text, static_cast<int>(std::strlen(place.text)));
    }
}

}  // namespace

bool ReadCaptionFile(const char* relative) {
    char path[MAX_PATH];
    // A full path that does not fit cannot be opened, and a cut one could name another file.
    if (!FullPath(relative, path)) return false;
    std::string text;
    if (!ReadTextFile(path, kMaxCaptionText, &text)) return false;
    ParseCaptionText(Captions(), text);
    return true;
}

HFONT CreateScaledFont(HWND window, const char* face, int height, int width) {
    WindowDC dc(window);
    if (!dc) return nullptr;
    // The context's state is restored after the font arithmetic.
    SavedDC state(dc.get());
    SetGraphicsMode(dc.get(), GM_ADVANCED);
    ModifyWorldTransform(dc.get(), nullptr, MWT_IDENTITY);
    SetViewportOrgEx(dc.get(), 0, 0, nullptr);
    SetWindowOrgEx(dc.get(), 0, 0, nullptr);

    POINT size;
    size.x = CaptionPointToDevice(width, GetDeviceCaps(dc.get(), LOGPIXELSX));
    size.y = CaptionPointToDevice(height, GetDeviceCaps(dc.get(), LOGPIXELSY));
    DPtoLP(dc.get(), &size, 1);

    LOGFONTA font = {};
    font.lfHeight = CaptionHeightFromDevice(size.y);
    lstrcpynA(font.lfFaceName, face ? face : "", LF_FACESIZE);
    GdiObject<HFONT> handle(CreateFontIndirectA(&font));

    int lfWidth = 0;
    if (handle && CaptionWidthFromDevice(size.x, size.y, AverageCharWidth(dc.get(), handle.get()), &lfWidth)) {
        font.lfWidth = lfWidth;
        handle.reset(CreateFontIndirectA(&font));
    }
    return handle.release();
}

void DrawAudioCaptions(HWND dialog) {
    const CaptionTable& table = Captions();
    const CaptionPlace places[] = {
        {table.audio[0], 22, 53},
        {table.audio[1], 22, 133},
    };
    DrawCaptions(dialog, places, sizeof places / sizeof places[0]);
}

void DrawVideoCaptions(HWND dialog) {
    const CaptionTable& table = Captions();
    const CaptionPlace places[] = {
        {table.video[0], 22, 20},
        {table.video[1], 22, 93},
        {table.video[2], 22, 162},
    };
    DrawCaptions(dialog, places, sizeof places / sizeof places[0]);
}

}  // namespace zorv
