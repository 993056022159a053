// What the player sees, read back from the screen's device context (PrintWindow cannot reach
// into another process): single pixels, captures of a rectangle taken at one moment, and
// screenshots kept as artefacts.
#ifndef ZORV_E2E_SCREEN_PIXELS_H
#define ZORV_E2E_SCREEN_PIXELS_H

#include <windows.h>

#include <string>
#include <vector>

namespace zorv_e2e {

inline bool IsBlack(COLORREF c) { return (c & 0xFFFFFF) == 0; }
std::string ColorText(COLORREF c);  // "RGB(r,g,b)"

// Screen size as the program computes it.
int ScreenWidth();
int ScreenHeight();
RECT WholeScreen();

// One pixel of the screen, through the screen's device context.
COLORREF ScreenPixel(int x, int y);

// A copy of a screen rectangle, taken at once with BitBlt from the screen's device context.
class ScreenCapture {
public:
    explicit ScreenCapture(const RECT& screen_rect);
    static ScreenCapture WholeScreen();
    bool ok() const { return !pixels_.empty(); }
    const RECT& rect() const { return rect_; }
    // Screen coordinates; CLR_INVALID outside rect().
    COLORREF Pixel(int x, int y) const;
    // Writes a 24-bit bottom-up BMP.
    bool SaveBmp(const std::string& path) const;

private:
    RECT rect_{};
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;  // top-down, 0x00RRGGBB
};

// Saves the rectangle as <ZORV_ARTIFACTS>\<name>.bmp; does nothing when ZORV_ARTIFACTS is unset.
void SaveArtifact(const RECT& screen_rect, const std::string& name);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_SCREEN_PIXELS_H
