#include "icons.h"

#include <algorithm>
#include <cmath>

#include "raster.h"

namespace assetgen {

namespace {

constexpr int kSize = 32;

// A colour canvas with its own coverage, painted in layers.
struct Layers {
    Image rgb{kSize, kSize};
    Mask alpha{kSize, kSize};

    void Paint(const Mask& m, Rgb c) {
        assetgen::Paint(rgb, m, c);
        for (size_t i = 0; i < alpha.a.size(); ++i) alpha.a[i] = alpha.a[i] + m.a[i] * (1.f - alpha.a[i]);
    }
    void PaintFn(const Mask& m, const std::function<Rgb(int, int)>& fn) {
        assetgen::PaintFn(rgb, m, fn);
        for (size_t i = 0; i < alpha.a.size(); ++i) alpha.a[i] = alpha.a[i] + m.a[i] * (1.f - alpha.a[i]);
    }

    IconImage Finish() const {
        IconImage icon;
        icon.size = kSize;
        icon.bgra.resize(static_cast<size_t>(kSize) * kSize * 4);
        auto byte = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); };
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const Rgb& c = rgb.At(x, y);
                float a = alpha.At(x, y);
                uint8_t* p = &icon.bgra[(static_cast<size_t>(y) * kSize + x) * 4];
                // Straight (not premultiplied) alpha, as icons store it.
                p[0] = byte(c.b);
                p[1] = byte(c.g);
                p[2] = byte(c.r);
                p[3] = byte(a);
            }
        return icon;
    }
};

Mask Shape() { return Mask(kSize, kSize); }

// Vertical shading for glossy shapes: lighter at the top.
std::function<Rgb(int, int)> Gloss(Rgb top, Rgb bottom, float y0, float y1) {
    return [=](int, int y) { return Mix(top, bottom, std::clamp((y + 0.5f - y0) / (y1 - y0), 0.f, 1.f)); };
}

}  // namespace

IconImage DrawApplicationIcon() {
    Layers l;
    Mask tile = Shape();
    MaskRoundRect(tile, 1.5f, 1.5f, 30.5f, 30.5f, 6.f);
    l.Paint(Dilate(tile, 1), {0.03f, 0.02f, 0.08f});
    l.PaintFn(tile, Gloss({0.34f, 0.36f, 0.38f}, {0.08f, 0.09f, 0.1f}, 1.5f, 30.5f));
    Mask z = Shape();
    MaskPolygon(z, {7, 6, 25, 6, 25, 10, 13.5f, 22, 25, 22, 25, 26, 7, 26, 7, 22, 18.5f, 10, 7, 10});
    l.Paint(Dilate(z, 1), {0.01f, 0.08f, 0.02f});
    l.PaintFn(z, Gloss({0.75f, 1.f, 0.6f}, {0.1f, 0.62f, 0.18f}, 6, 26));
    Mask shine = Shape();
    MaskLine(shine, 5.f, 4.5f, 27.f, 4.5f, 1.f);
    Glow(l.rgb, shine, {0.85f, 0.9f, 0.9f}, 0.35f);
    return l.Finish();
}

IconImage DrawFloppyIcon() {
    Layers l;
    // Body with the cut corner at the top right.
    Mask body = Shape();
    MaskPolygon(body, {3, 3, 25, 3, 29, 7, 29, 29, 3, 29});
    Mask outline = Dilate(body, 1);
    l.Paint(outline, {0.02f, 0.03f, 0.08f});
    l.PaintFn(body, Gloss({0.2f, 0.3f, 0.7f}, {0.07f, 0.12f, 0.38f}, 3, 29));
    // Metal shutter with its window.
    Mask shutter = Shape();
    MaskFillRect(shutter, 9, 3, 23, 12);
    l.PaintFn(shutter, Gloss({0.9f, 0.92f, 0.95f}, {0.55f, 0.58f, 0.62f}, 3, 12));
    Mask hole = Shape();
    MaskFillRect(hole, 18, 4.5f, 21, 10.5f);
    l.Paint(hole, {0.05f, 0.07f, 0.15f});
    // Paper label with writing lines.
    Mask label = Shape();
    MaskFillRect(label, 7, 16, 25, 29);
    l.Paint(label, {0.97f, 0.97f, 0.93f});
    Mask lines = Shape();
    for (float y : {19.5f, 22.5f, 25.5f}) MaskLine(lines, 9, y, 23, y, 1.f);
    l.Paint(lines, {0.35f, 0.45f, 0.8f});
    return l.Finish();
}

IconImage DrawExclamationIcon() {
    Layers l;
    Mask mark = Shape();
    MaskPolygon(mark, {11, 2, 21, 2, 18.5f, 21, 13.5f, 21});
    MaskCircle(mark, 16, 26.5f, 4.f);
    l.Paint(Dilate(mark, 1), {0.25f, 0.f, 0.f});
    l.PaintFn(mark, Gloss({1.f, 0.35f, 0.3f}, {0.72f, 0.f, 0.f}, 2, 31));
    Mask shine = Shape();
    MaskLine(shine, 13.5f, 4.5f, 15.f, 17.f, 1.5f);
    Glow(l.rgb, shine, {1.f, 0.8f, 0.8f}, 0.6f);
    return l.Finish();
}

IconImage DrawCheckIcon() {
    Layers l;
    Mask tick = Shape();
    MaskPolygon(tick, {2, 17, 7, 12, 13, 18, 26, 4, 30, 9, 13, 28});
    l.Paint(Dilate(tick, 1), {0.f, 0.18f, 0.04f});
    l.PaintFn(tick, Gloss({0.5f, 1.f, 0.45f}, {0.f, 0.55f, 0.1f}, 4, 28));
    return l.Finish();
}

}  // namespace assetgen
