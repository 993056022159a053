#include "screen_pixels.h"

#include <cstdio>

#include "files.h"
#include "platform/gdi_guards_win.h"

namespace zorv_e2e {

std::string ColorText(COLORREF c) {
    char text[40];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

COLORREF ScreenPixel(int x, int y) {
    zorv::WindowDC screen(nullptr);
    return screen ? GetPixel(screen.get(), x, y) : CLR_INVALID;
}

ScreenCapture::ScreenCapture(const RECT& screen_rect) : rect_(screen_rect) {
    width_ = screen_rect.right - screen_rect.left;
    height_ = screen_rect.bottom - screen_rect.top;
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    zorv::WindowDC screen(nullptr);
    if (!screen) return;
    zorv::MemoryDC memory(screen.get());
    void* bits = nullptr;
    zorv::GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return;
    zorv::SelectedObject selected(memory.get(), bitmap.get());
    if (BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), rect_.left, rect_.top, SRCCOPY | CAPTUREBLT)) {
        GdiFlush();
        const DWORD* source = static_cast<const DWORD*>(bits);
        pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
    }
}

ScreenCapture ScreenCapture::WholeScreen() { return ScreenCapture(zorv_e2e::WholeScreen()); }

COLORREF ScreenCapture::Pixel(int x, int y) const {
    int col = x - rect_.left;
    int row = y - rect_.top;
    if (pixels_.empty() || col < 0 || row < 0 || col >= width_ || row >= height_) return CLR_INVALID;
    DWORD p = pixels_[static_cast<size_t>(row) * width_ + col];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool ScreenCapture::SaveBmp(const std::string& path) const {
    if (pixels_.empty()) return false;
    const int row_bytes = (width_ * 3 + 3) & ~3;
    const DWORD image_bytes = static_cast<DWORD>(row_bytes) * height_;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + image_bytes;
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = image_bytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    std::string row(row_bytes, '\0');
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];
            row[x * 3 + 0] = static_cast<char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        bytes += row;
    }
    return WriteWholeFile(path, bytes);
}

void SaveArtifact(const RECT& screen_rect, const std::string& name) {
    std::string folder = ArtifactsFolder();
    if (folder.empty() || !CreateFolders(folder)) return;
    ScreenCapture(screen_rect).SaveBmp(JoinPath(folder, FileNameSafe(name) + ".bmp"));
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
RECT WholeScreen() { return RECT{0, 0, ScreenWidth(), ScreenHeight()}; }

}  // namespace zorv_e2e
