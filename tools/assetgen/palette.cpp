#include "palette.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

uint8_t Byte(float v) {
    if (!(v > 0.f)) return 0;  // also catches NaN
    if (v >= 255.f) return 255;
    return static_cast<uint8_t>(v + 0.5f);
}

PaletteEntry Entry(float r, float g, float b) { return {Byte(r), Byte(g), Byte(b)}; }

Palette BuildPalette() {
    Palette p{};
    size_t n = 0;
    auto add = [&](PaletteEntry e) {
        if (n < p.size()) p[n++] = e;
    };
    // 64 steps of blue-grey metal, denser in the dark where most of the art lives.
    for (int i = 0; i < 64; ++i) {
        float t = i / 63.f;
        float lum = 3.f + 232.f * std::pow(t, 1.55f);
        add(Entry(lum * 0.84f, lum * 0.90f, lum * 1.0f + 6.f * t));
    }
    // 24 neutral greys.
    for (int i = 0; i < 24; ++i) add(Entry(i * 255.f / 23, i * 255.f / 23, i * 255.f / 23));
    // 40 greens: dark to full green, then towards the whitish core of glowing lettering.
    for (int i = 0; i < 40; ++i) {
        float t = i / 39.f;
        if (t < 0.75f) {
            float l = 20.f + 235.f * (t / 0.75f);
            add(Entry(l * 0.12f, l, l * 0.27f));
        } else {
            float k = (t - 0.75f) / 0.25f;
            add(Entry(30.f + 190.f * k, 255.f, 56.f + 170.f * k));
        }
    }
    // 32 green haze over dark metal: 4 metal levels × 8 glow strengths.
    for (int base = 0; base < 4; ++base)
        for (int i = 1; i <= 8; ++i) {
            float m = 14.f + base * 16.f, g = i * 20.f;
            add(Entry(m * 0.84f + g * 0.10f, m * 0.90f + g, m + g * 0.22f));
        }
    // 20 yellows and ambers for the warning stripes.
    for (int i = 0; i < 20; ++i) {
        float t = (i + 1) / 20.f;
        if (t <= 0.8f) {
            float l = t / 0.8f;
            add(Entry(255.f * l, 200.f * l, 10.f * l));
        } else {
            float k = (t - 0.8f) / 0.2f;
            add(Entry(255.f, 200.f + 45.f * k, 10.f + 150.f * k));
        }
    }
    // 16 reds for the warning icon, from dark to a pinkish highlight.
    for (int i = 0; i < 16; ++i) {
        float t = (i + 1) / 16.f;
        if (t <= 0.75f) {
            float l = t / 0.75f;
            add(Entry(235.f * l, 18.f * l, 18.f * l));
        } else {
            float k = (t - 0.75f) / 0.25f;
            add(Entry(235.f + 20.f * k, 18.f + 150.f * k, 18.f + 150.f * k));
        }
    }
    // 12 blues for the floppy disk and accents.
    for (int i = 0; i < 12; ++i) {
        float t = (i + 1) / 12.f;
        add(Entry(30.f * t + 10.f, 70.f * t + 12.f, 210.f * t + 20.f));
    }
    // 48: a 4 × 4 × 3 colour cube catches whatever the ramps miss.
    for (int r = 0; r < 4; ++r)
        for (int g = 0; g < 4; ++g)
            for (int b = 0; b < 3; ++b) add(Entry(r * 85.f, g * 85.f, b * 127.5f));
    return p;
}

int Distance(const PaletteEntry& e, int r, int g, int b) {
    int dr = e.r - r, dg = e.g - g, db = e.b - b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int Bayer8(int x, int y) {
    // Bit-interleaved 8x8 ordered-dither threshold, 0..63.
    int v = 0;
    int xy = x ^ y;
    for (int bit = 2; bit >= 0; --bit) {
        v = (v << 2) | (((xy >> (2 - bit)) & 1) << 1) | ((y >> (2 - bit)) & 1);
    }
    return v;
}

constexpr int kBits = 6;
constexpr int kLevels = 1 << kBits;

}  // namespace

const Palette& GamePalette() {
    static const Palette palette = BuildPalette();
    return palette;
}

uint8_t NearestIndex(int r, int g, int b) {
    const Palette& p = GamePalette();
    int best = 0, bestDist = Distance(p[0], r, g, b);
    for (int i = 1; i < 256; ++i) {
        int d = Distance(p[static_cast<size_t>(i)], r, g, b);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

namespace {

std::vector<uint8_t> QuantizeWith(const Image& img, int ox, int oy, float amplitude) {
    // Nearest entries per 6-bit cell, found on first use; a few thousand cells cover a picture.
    static std::vector<int16_t> cache(static_cast<size_t>(kLevels) * kLevels * kLevels, -1);
    std::vector<uint8_t> out(static_cast<size_t>(img.w) * img.h);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const Rgb& c = img.At(x, y);
            float d = ((Bayer8((x + ox) & 7, (y + oy) & 7) + 0.5f) / 64.f - 0.5f) * amplitude;
            int r = Byte(c.r * 255.f + d), g = Byte(c.g * 255.f + d), b = Byte(c.b * 255.f + d);
            size_t cell =
                (static_cast<size_t>(r >> (8 - kBits)) * kLevels + (g >> (8 - kBits))) * kLevels + (b >> (8 - kBits));
            if (cache[cell] < 0) {
                int half = 1 << (7 - kBits);
                cache[cell] =
                    NearestIndex(((r >> (8 - kBits)) << (8 - kBits)) + half, ((g >> (8 - kBits)) << (8 - kBits)) + half,
                                 ((b >> (8 - kBits)) << (8 - kBits)) + half);
            }
            out[static_cast<size_t>(y) * img.w + x] = static_cast<uint8_t>(cache[cell]);
        }
    return out;
}

}  // namespace

std::vector<uint8_t> Quantize(const Image& img, int ox, int oy) { return QuantizeWith(img, ox, oy, 9.f); }

std::vector<uint8_t> QuantizeFlat(const Image& img) { return QuantizeWith(img, 0, 0, 0.f); }

}  // namespace assetgen
