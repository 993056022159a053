#include "captions/captions_win.h"

#include <cstring>
#include <string>

#include "captions/caption_file.h"
#include "common/config_file_win.h"
#include "common/full_path_win.h"
#include "common/gdi_guards_win.h"
#include "graphics/dpi_win.h"

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

// The caption font selected for one drawing; at its end the stock system font is selected
// instead, so that the caption font is free to be deleted by its owner.
class CaptionFontSelection {
public:
    CaptionFontSelection(HDC dc, HFONT font) : dc_(dc) {
        if (font) SelectObject(dc_, font);
    }
    ~CaptionFontSelection() { SelectObject(dc_, GetStockObject(SYSTEM_FONT)); }
    CaptionFontSelection(const CaptionFontSelection&) = delete;
    CaptionFontSelection& operator=(const CaptionFontSelection&) = delete;
private:
    HDC dc_;
};

// The context's state saved for the font arithmetic and restored after it.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDCState() { if (saved_) RestoreDC(dc_, saved_); }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
private:
    HDC dc_;
    int saved_;
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
    CaptionFontSelection selection(dc.get(), font.get());
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
    SavedDCState state(dc.get());
    SetGraphicsMode(dc.get(), GM_ADVANCED);
    ModifyWorldTransform(dc.get(), nullptr, MWT_IDENTITY);
    SetViewportOrgEx(dc.get(), 0, 0, nullptr);
    SetWindowOrgEx(dc.get(), 0, 0, nullptr);

    POINT size;
    size.x = CaptionPointToDevice(width, kDrawingDpi);
    size.y = CaptionPointToDevice(height, kDrawingDpi);
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
