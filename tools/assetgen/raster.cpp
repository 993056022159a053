#include "raster.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb FromBytes(int r, int g, int b) { return {r / 255.f, g / 255.f, b / 255.f}; }

Image::Image(int width, int height, Rgb fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

float Hash01(int x, int y, uint32_t seed) {
    uint32_t v = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    v ^= v >> 16;
    v *= 0x7feb352du;
    v ^= v >> 15;
    v *= 0x846ca68bu;
    v ^= v >> 16;
    return static_cast<float>(v >> 8) / 16777216.f;
}

namespace {

float Clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

// Coverage of [p0, p1) by the unit cell starting at c.
float Overlap(float c, float p0, float p1) { return Clamp01(std::min(c + 1.f, p1) - std::max(c, p0)); }

struct Span {
    int x0, y0, x1, y1;
};

Span Bounds(const Mask& m, float x0, float y0, float x1, float y1) {
    Span s{static_cast<int>(std::floor(std::max(0.f, x0))), static_cast<int>(std::floor(std::max(0.f, y0))),
           static_cast<int>(std::ceil(std::min(static_cast<float>(m.w), std::max(0.f, x1)))),
           static_cast<int>(std::ceil(std::min(static_cast<float>(m.h), std::max(0.f, y1))))};
    return s;
}

void Accumulate(float& dst, float cover) { dst = std::max(dst, Clamp01(cover)); }

}  // namespace

void MaskFillRect(Mask& m, float x0, float y0, float x1, float y1) {
    Span s = Bounds(m, x0, y0, x1, y1);
    for (int y = s.y0; y < s.y1; ++y) {
        float cy = Overlap(static_cast<float>(y), y0, y1);
        for (int x = s.x0; x < s.x1; ++x) Accumulate(m.At(x, y), cy * Overlap(static_cast<float>(x), x0, x1));
    }
}

void MaskRoundRect(Mask& m, float x0, float y0, float x1, float y1, float radius) {
    Span s = Bounds(m, x0, y0, x1, y1);
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    for (int y = s.y0; y < s.y1; ++y) {
        for (int x = s.x0; x < s.x1; ++x) {
            float qx = std::fabs(x + 0.5f - cx) - hx, qy = std::fabs(y + 0.5f - cy) - hy;
            float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
            float dist = std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - radius;
            Accumulate(m.At(x, y), 0.5f - dist);
        }
    }
}

void MaskCircle(Mask& m, float cx, float cy, float r) {
    Span s = Bounds(m, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1);
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            Accumulate(m.At(x, y), r - std::sqrt(dx * dx + dy * dy) + 0.5f);
        }
}

void MaskRing(Mask& m, float cx, float cy, float r, float width) {
    Span s = Bounds(m, cx - r - width, cy - r - width, cx + r + width, cy + r + width);
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float d = std::fabs(std::sqrt(dx * dx + dy * dy) - r);
            Accumulate(m.At(x, y), width * 0.5f - d + 0.5f);
        }
}

void MaskLine(Mask& m, float x0, float y0, float x1, float y1, float width) {
    float half = width * 0.5f;
    Span s = Bounds(m, std::min(x0, x1) - half - 1, std::min(y0, y1) - half - 1, std::max(x0, x1) + half + 1,
                    std::max(y0, y1) + half + 1);
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0.f;
            float ex = px - t * dx, ey = py - t * dy;
            Accumulate(m.At(x, y), half - std::sqrt(ex * ex + ey * ey) + 0.5f);
        }
}

void MaskPolygon(Mask& m, const std::vector<float>& xy) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minx = xy[0], maxx = xy[0], miny = xy[1], maxy = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minx = std::min(minx, xy[2 * i]);
        maxx = std::max(maxx, xy[2 * i]);
        miny = std::min(miny, xy[2 * i + 1]);
        maxy = std::max(maxy, xy[2 * i + 1]);
    }
    Span s = Bounds(m, minx, miny, maxx + 1, maxy + 1);
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    float px = x + (sx + 0.5f) / 4.f, py = y + (sy + 0.5f) / 4.f;
                    bool in = false;
                    for (size_t i = 0, j = n - 1; i < n; j = i++) {
                        float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
                    }
                    inside += in ? 1 : 0;
                }
            Accumulate(m.At(x, y), inside / 16.f);
        }
}

namespace {

void BoxPass(std::vector<float>& v, int w, int h, int r, bool horizontal) {
    std::vector<float> out(v.size());
    int len = horizontal ? w : h, lines = horizontal ? h : w;
    auto idx = [&](int line, int i) {
        return horizontal ? static_cast<size_t>(line) * w + i : static_cast<size_t>(i) * w + line;
    };
    float norm = 1.f / (2 * r + 1);
    for (int line = 0; line < lines; ++line) {
        float sum = 0;
        for (int i = -r; i <= r; ++i) sum += (i >= 0 && i < len) ? v[idx(line, i)] : 0.f;
        for (int i = 0; i < len; ++i) {
            out[idx(line, i)] = sum * norm;
            int add = i + r + 1, sub = i - r;
            if (add < len) sum += v[idx(line, add)];
            if (sub >= 0) sum -= v[idx(line, sub)];
        }
    }
    v.swap(out);
}

}  // namespace

Mask Blur(const Mask& m, int radius) {
    Mask out = m;
    if (radius <= 0) return out;
    int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out.a, out.w, out.h, r, true);
        BoxPass(out.a, out.w, out.h, r, false);
    }
    return out;
}

Mask Dilate(const Mask& m, int radius) {
    Mask out(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float v = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (dx * dx + dy * dy <= radius * radius + radius) v = std::max(v, m.Get(x + dx, y + dy));
            out.At(x, y) = v;
        }
    return out;
}

void MaskMax(Mask& dst, const Mask& src) {
    for (size_t i = 0; i < dst.a.size() && i < src.a.size(); ++i) dst.a[i] = std::max(dst.a[i], src.a[i]);
}

void MaskScale(Mask& m, float k) {
    for (float& v : m.a) v = Clamp01(v * k);
}

void Fill(Image& img, const Rect& r, Rgb c) {
    for (int y = std::max(0, r.y0); y < std::min(img.h, r.y1); ++y)
        for (int x = std::max(0, r.x0); x < std::min(img.w, r.x1); ++x) img.At(x, y) = c;
}

void FillGradientV(Image& img, const Rect& r, Rgb top, Rgb bottom) {
    int h = std::max(1, r.Height() - 1);
    for (int y = std::max(0, r.y0); y < std::min(img.h, r.y1); ++y) {
        Rgb c = Mix(top, bottom, static_cast<float>(y - r.y0) / h);
        for (int x = std::max(0, r.x0); x < std::min(img.w, r.x1); ++x) img.At(x, y) = c;
    }
}

void PaintFn(Image& img, const Mask& m, const std::function<Rgb(int, int)>& colour, float opacity, int ox, int oy) {
    for (int my = 0; my < m.h; ++my) {
        int y = my + oy;
        if (y < 0 || y >= img.h) continue;
        for (int mx = 0; mx < m.w; ++mx) {
            int x = mx + ox;
            float a = m.At(mx, my) * opacity;
            if (x < 0 || x >= img.w || a <= 0.f) continue;
            img.At(x, y) = Mix(img.At(x, y), colour(x, y), std::min(a, 1.f));
        }
    }
}

void Paint(Image& img, const Mask& m, Rgb c, float opacity, int ox, int oy) {
    PaintFn(
        img, m, [c](int, int) { return c; }, opacity, ox, oy);
}

void Glow(Image& img, const Mask& m, Rgb c, float strength, int ox, int oy) {
    for (int my = 0; my < m.h; ++my) {
        int y = my + oy;
        if (y < 0 || y >= img.h) continue;
        for (int mx = 0; mx < m.w; ++mx) {
            int x = mx + ox;
            float a = Clamp01(m.At(mx, my) * strength);
            if (x < 0 || x >= img.w || a <= 0.f) continue;
            Rgb& d = img.At(x, y);
            d.r = 1.f - (1.f - d.r) * (1.f - c.r * a);
            d.g = 1.f - (1.f - d.g) * (1.f - c.g * a);
            d.b = 1.f - (1.f - d.b) * (1.f - c.b * a);
        }
    }
}

void Shade(Image& img, const Rect& r, float k) {
    for (int y = std::max(0, r.y0); y < std::min(img.h, r.y1); ++y)
        for (int x = std::max(0, r.x0); x < std::min(img.w, r.x1); ++x) img.At(x, y) = img.At(x, y) * k;
}

void Blit(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.h; ++sy)
        for (int sx = 0; sx < src.w; ++sx)
            if (dst.Inside(x + sx, y + sy)) dst.At(x + sx, y + sy) = src.At(sx, sy);
}

Image Crop(const Image& src, const Rect& r) {
    Image out(r.Width(), r.Height());
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            if (src.Inside(r.x0 + x, r.y0 + y)) out.At(x, y) = src.At(r.x0 + x, r.y0 + y);
    return out;
}

}  // namespace assetgen
