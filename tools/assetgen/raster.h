// Floating-point RGB canvases and coverage masks, and the few drawing operations every picture
// of the game is built from. Colours are linear 0..1 floats; nothing here knows about files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb a, float k);
Rgb Mix(Rgb a, Rgb b, float t);  // a at t = 0, b at t = 1
Rgb FromBytes(int r, int g, int b);

// Half-open rectangle: x0 <= x < x1, y0 <= y < y1.
struct Rect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
    Rect Inset(int d) const { return {x0 + d, y0 + d, x1 - d, y1 - d}; }
    Rect Offset(int dx, int dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
};

struct Image {
    int w = 0, h = 0;
    std::vector<Rgb> px;

    Image() = default;
    Image(int width, int height, Rgb fill = {});
    Rgb& At(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
    const Rgb& At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

// Coverage (alpha) layer, 0..1.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;

    Mask() = default;
    Mask(int width, int height) : w(width), h(height), a(static_cast<size_t>(width) * height, 0.f) {}
    float& At(int x, int y) { return a[static_cast<size_t>(y) * w + x]; }
    float At(int x, int y) const { return a[static_cast<size_t>(y) * w + x]; }
    // 0 outside the mask, so effects can read past the edges.
    float Get(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.f : At(x, y); }
};

// Deterministic value noise in [0, 1) from integer coordinates and a seed.
float Hash01(int x, int y, uint32_t seed);

// ---- masks ----
void MaskFillRect(Mask& m, float x0, float y0, float x1, float y1);  // antialiased edges
void MaskRoundRect(Mask& m, float x0, float y0, float x1, float y1, float radius);
void MaskCircle(Mask& m, float cx, float cy, float r);
void MaskRing(Mask& m, float cx, float cy, float r, float width);
void MaskLine(Mask& m, float x0, float y0, float x1, float y1, float width);
// Even-odd polygon with 4x4 supersampling.
void MaskPolygon(Mask& m, const std::vector<float>& xy);
Mask Blur(const Mask& m, int radius);  // three box passes, close to a Gaussian
Mask Dilate(const Mask& m, int radius);
void MaskMax(Mask& dst, const Mask& src);
void MaskScale(Mask& m, float k);

// ---- painting ----
void Fill(Image& img, const Rect& r, Rgb c);
void FillGradientV(Image& img, const Rect& r, Rgb top, Rgb bottom);
// Paints `c` through the mask: dst = dst·(1 − a·opacity) + c·a·opacity. The mask's origin lands at (ox, oy).
void Paint(Image& img, const Mask& m, Rgb c, float opacity = 1.f, int ox = 0, int oy = 0);
// Same, with the colour chosen per pixel (image coordinates).
void PaintFn(Image& img, const Mask& m, const std::function<Rgb(int, int)>& colour, float opacity = 1.f, int ox = 0,
             int oy = 0);
// Light added through the mask with a screen blend, which never overshoots white.
void Glow(Image& img, const Mask& m, Rgb c, float strength, int ox = 0, int oy = 0);
// Multiplies the rectangle by k (k < 1 darkens); used for shadows and recesses.
void Shade(Image& img, const Rect& r, float k);
// Copies `src` onto `dst` with its top-left corner at (x, y), clipped.
void Blit(Image& dst, const Image& src, int x, int y);
Image Crop(const Image& src, const Rect& r);

}  // namespace assetgen
