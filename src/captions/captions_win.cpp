#include "captions/captions_win.h"

#include <cstring>
#include <string>

#include "captions/caption_file.h"
#include "captions/caption_places.h"
#include "captions/drawing_dpi.h"
#include "settings/config_file_win.h"
#include "settings/full_path_win.h"

namespace zorv {
namespace {

// The caption file is a few hundred bytes; anything past this is not read.
constexpr size_t kMaxCaptionText = 64 * 1024;

const COLORREF kCaptionColor = RGB(0, 255, 0);

int AverageCharWidth(HDC dc, HFONT font) {
    SelectedObject selected(dc, font);
    TEXTMETRICA metrics = {};
    return GetTextMetricsA(dc, &metrics) ? metrics.tmAveCharWidth : 0;
}

// The system's own code page decides where a caption's characters end.
bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

bool ReadCaptionFile(const char* relative) {
    char path[MAX_PATH];
    // A full path that does not fit cannot be opened, and a cut one could name another file.
    if (!FullPath(relative, path)) return false;
    std::string text;
    if (!ReadTextFile(path, kMaxCaptionText, &text)) return false;
    ParseCaptionText(Captions(), text, IsLeadByte);
    return true;
}

GdiObject<HFONT> CreateScaledFont(HWND window, const char* face, int height, int width) {
    WindowDC dc(window);
    if (!dc) return GdiObject<HFONT>();
    // The context's state is restored after the font arithmetic.
    SavedDC state(dc.get());
    SetGraphicsMode(dc.get(), GM_ADVANCED);
    ModifyWorldTransform(dc.get(), nullptr, MWT_IDENTITY);
    SetViewportOrgEx(dc.get(), 0, 0, nullptr);
    SetWindowOrgEx(dc.get(), 0, 0, nullptr);

    POINT size = {CaptionPointToDevice(width, kDrawingDpi), CaptionPointToDevice(height, kDrawingDpi)};
    DPtoLP(dc.get(), &size, 1);

    LOGFONTA font = {};
    font.lfHeight = CaptionHeightFromDevice(size.y);
    // The captions are text in the system's ANSI code page: the system's character set reads
    // their bytes as written (ANSI_CHARSET would read them as Western whatever the code page).
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face ? face : "", LF_FACESIZE);
    GdiObject<HFONT> handle(CreateFontIndirectA(&font));

    int lfWidth = 0;
    if (handle && CaptionWidthFromDevice(size.x, size.y, AverageCharWidth(dc.get(), handle.get()), &lfWidth)) {
        font.lfWidth = lfWidth;
        handle.reset(CreateFontIndirectA(&font));
    }
    return handle;
}

void DrawCaptions(HWND window, HDC dc, const CaptionPlace* places, int count) {
    const CaptionTable& table = Captions();
    const GdiObject<HFONT> font = CreateScaledFont(window, table.face, CaptionDrawingHeight(table), table.width);
    // The stock system font takes the caption font's place at the end, so that it can go.
    SelectedObject selection(dc, font.get(), GetStockObject(SYSTEM_FONT));
    SetTextColor(dc, kCaptionColor);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < count; ++i) {
        const char* text = CaptionText(table, places[i].caption);
        TextOutA(dc, places[i].x, places[i].y, text, static_cast<int>(std::strlen(text)));
    }
}

}  // namespace zorv
