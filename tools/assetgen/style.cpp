#include "style.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace assetgen {

namespace {

float Clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

Rgb Lighten(Rgb c, float k) { return Mix(c, {1.f, 1.f, 1.f}, Clamp01(k)); }

Rect Clip(const Image& img, const Rect& r) {
    return {std::max(0, r.x0), std::max(0, r.y0), std::min(img.w, r.x1), std::min(img.h, r.y1)};
}

}  // namespace

void BrushedMetal(Image& img, const Rect& area, Rgb base, uint32_t seed, float strength) {
    Rect r = Clip(img, area);
    for (int y = r.y0; y < r.y1; ++y) {
        float row = Hash01(0, y, seed) - 0.5f;
        // Long streaks: value noise along the row, interpolated between lattice points 40 px apart.
        for (int x = r.x0; x < r.x1; ++x) {
            float fx = x / 40.f;
            int ix = static_cast<int>(std::floor(fx));
            float t = fx - ix;
            t = t * t * (3 - 2 * t);
            float streak = Hash01(ix, y, seed + 1) * (1 - t) + Hash01(ix + 1, y, seed + 1) * t - 0.5f;
            float grain = Hash01(x, y, seed + 2) - 0.5f;
            float k = 1.f + strength * (0.9f * row + 0.8f * streak + 0.35f * grain);
            img.At(x, y) = base * k;
        }
    }
}

void Bevel(Image& img, const Rect& area, int width, float light, float dark) {
    Rect r = Clip(img, area);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            int dl = x - area.x0, dt = y - area.y0, dr = area.x1 - 1 - x, db = area.y1 - 1 - y;
            int lit = std::min(dl, dt), shade = std::min(dr, db);
            Rgb& c = img.At(x, y);
            if (lit < width && lit <= shade) {
                float f = 1.f - static_cast<float>(lit) / width;
                c = Lighten(c, light * f);
            } else if (shade < width) {
                float f = 1.f - static_cast<float>(shade) / width;
                c = c * (1.f - dark * f);
            }
        }
}

void Plate(Image& img, const Rect& r, Rgb base, uint32_t seed) {
    Fill(img, r, {0.01f, 0.012f, 0.015f});
    Rect face = r.Inset(1);
    BrushedMetal(img, face, base, seed, 0.12f);
    // A gentle top-lit gradient over the face.
    for (int y = std::max(0, face.y0); y < std::min(img.h, face.y1); ++y) {
        float k = 1.12f - 0.22f * static_cast<float>(y - face.y0) / std::max(1, face.Height());
        for (int x = std::max(0, face.x0); x < std::min(img.w, face.x1); ++x) img.At(x, y) = img.At(x, y) * k;
    }
    Bevel(img, face, 2, 0.28f, 0.45f);
}

void Recess(Image& img, const Rect& area, float darkness) {
    Rect r = Clip(img, area);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            int dl = x - area.x0, dt = y - area.y0, dr = area.x1 - 1 - x, db = area.y1 - 1 - y;
            float k = darkness;
            int inner = std::min(dl, dt);
            if (inner < 4) k *= 0.55f + 0.1125f * inner;  // shadow cast by the upper and left lips
            Rgb& c = img.At(x, y);
            c = c * k;
            if (std::min(dr, db) == 0 && inner > 0) c = Lighten(c, 0.22f);
        }
}

void Window(Image& img, const Rect& r, Rgb fill) {
    Fill(img, r, fill);
    Recess(img, r, 1.f);
}

void Rivet(Image& img, float cx, float cy, float radius) {
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    int x0 = static_cast<int>(std::floor(cx - radius - 2)), x1 = static_cast<int>(std::ceil(cx + radius + 3));
    int y0 = static_cast<int>(std::floor(cy - radius - 2)), y1 = static_cast<int>(std::ceil(cy + radius + 3));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (!img.Inside(x, y)) continue;
            float px = x + 0.5f, py = y + 0.5f;
            // Shadow to the lower right.
            float sd = std::hypot(px - cx - 1.2f, py - cy - 1.4f);
            float shadow = Clamp01(radius + 0.8f - sd);
            Rgb& c = img.At(x, y);
            c = c * (1.f - 0.55f * shadow);
            float d = std::hypot(px - cx, py - cy);
            float cover = Clamp01(radius - d + 0.5f);
            if (cover <= 0) continue;
            float nx = (px - cx) / radius, ny = (py - cy) / radius;
            float nz = std::sqrt(std::max(0.f, 1.f - nx * nx - ny * ny));
            float diffuse = std::max(0.f, nx * lx + ny * ly + nz * lz);
            float textSpec = std::pow(std::max(0.f, nx * lx + ny * ly + nz * lz), 18.f);
            Rgb dome = colours::kPlate * (0.35f + 1.1f * diffuse) + Rgb{0.9f, 0.92f, 1.f} * (0.55f * textSpec);
            if (d > radius - 1.f) dome = dome * 0.55f;  // dark rim where it meets the plate
            c = Mix(c, dome, cover);
        }
}

void RivetRow(Image& img, float x0, float x1, float y, int count, float radius) {
    for (int i = 0; i < count; ++i) {
        float t = count > 1 ? static_cast<float>(i) / (count - 1) : 0.5f;
        Rivet(img, x0 + (x1 - x0) * t, y, radius);
    }
}

void HazardStripes(Image& img, const Rect& area, float period) {
    Rect r = Clip(img, area);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            int yellow = 0;
            for (int s = 0; s < 4; ++s) {
                float u = (x - area.x0 + (s % 2 + 0.5f) / 2.f) + (y - area.y0 + (s / 2 + 0.5f) / 2.f);
                float phase = std::fmod(u / period, 1.f);
                yellow += phase < 0.5f ? 1 : 0;
            }
            float t = yellow / 4.f;
            // The dark stripes are a warm charcoal rather than black, so that no pixel of a lit bar
            // matches the dark slot it replaces on a button.
            Rgb stripe = Mix(Rgb{0.1f, 0.09f, 0.06f}, colours::kYellow, t);
            // A little shading across the bar so it reads as a painted metal strip.
            float across = static_cast<float>(x - area.x0) / std::max(1, area.Width() - 1);
            img.At(x, y) = stripe * (1.05f - 0.25f * across);
        }
    Bevel(img, area, 1, 0.25f, 0.4f);
}

void Vents(Image& img, const Rect& r, int slots) {
    if (slots <= 0) return;
    float pitch = static_cast<float>(r.Height()) / slots;
    Mask holes(r.Width(), r.Height() + 2), lips(r.Width(), r.Height() + 2);
    for (int i = 0; i < slots; ++i) {
        float y0 = i * pitch + pitch * 0.25f;
        float y1 = y0 + std::max(2.f, std::floor(pitch * 0.45f));
        MaskRoundRect(holes, 0.f, y0, static_cast<float>(r.Width()), y1, (y1 - y0) * 0.5f);
        MaskLine(lips, 3.f, y1 + 0.5f, r.Width() - 3.f, y1 + 0.5f, 1.f);
    }
    Paint(img, holes, {0.01f, 0.012f, 0.015f}, 0.9f, r.x0, r.y0);
    Glow(img, lips, {0.35f, 0.38f, 0.42f}, 0.5f, r.x0, r.y0);
}

void SeamH(Image& img, int x0, int x1, int y) {
    Fill(img, {x0, y, x1, y + 1}, {0.01f, 0.012f, 0.015f});
    for (int x = std::max(0, x0); x < std::min(img.w, x1); ++x)
        if (img.Inside(x, y + 1)) img.At(x, y + 1) = Lighten(img.At(x, y + 1), 0.12f);
}

void SeamV(Image& img, int x, int y0, int y1) {
    Fill(img, {x, y0, x + 1, y1}, {0.01f, 0.012f, 0.015f});
    for (int y = std::max(0, y0); y < std::min(img.h, y1); ++y)
        if (img.Inside(x + 1, y)) img.At(x + 1, y) = Lighten(img.At(x + 1, y), 0.12f);
}

void DrawText(Image& img, const std::string& text, const Lettering& s, float x, float baseline) {
    TextExtent e = s.font->Measure(text, s.textSpec);
    int pad = s.glowRadius * 3 + s.outline + 4;
    int left = static_cast<int>(std::floor(x)) - pad;
    int top = static_cast<int>(std::floor(baseline)) - e.ascent - static_cast<int>(s.textSpec.px * 0.3f) - pad;
    int w = e.width + 2 * pad + 4;
    int h = e.ascent + e.descent + static_cast<int>(s.textSpec.px * 0.3f) + 2 * pad;
    Mask m(w, h);
    s.font->Draw(m, text, s.textSpec, x - left, baseline - top);

    if (s.shadow) {
        Mask sh = Blur(m, 2);
        Paint(img, sh, colours::kBlack, 0.75f, left + 1, top + 2);
    }
    if (s.glowStrength > 0.f && s.glowRadius > 0) {
        Mask g = Blur(Dilate(m, 1), s.glowRadius);
        Glow(img, g, s.glow, s.glowStrength * 1.6f, left, top);
    }
    if (s.outline > 0) {
        Mask o = Dilate(m, s.outline);
        Paint(img, o, {0.0f, 0.06f, 0.02f}, 0.9f, left, top);
    }
    float capTop = baseline - e.ascent, span = std::max(1.f, static_cast<float>(e.ascent));
    Rgb t = s.top, b = s.bottom;
    PaintFn(
        img, m, [&](int, int py) { return Mix(t, b, Clamp01((py - capTop) / span)); }, 1.f, left, top);
}

void DrawTextCentred(Image& img, const std::string& text, const Lettering& s, const Rect& box) {
    TextExtent e = s.font->Measure(text, s.textSpec);
    float x = box.x0 + (box.Width() - e.width) * 0.5f;
    float baseline = box.y0 + (box.Height() + e.ascent) * 0.5f;
    DrawText(img, text, s, std::round(x), std::round(baseline));
}

void DrawPlainText(Image& img, const std::string& text, const Font& font, const TextSpec& textSpec, Rgb colour, float x,
                   float baseline) {
    Lettering s;
    s.font = &font;
    s.textSpec = textSpec;
    s.top = s.bottom = colour;
    s.glowStrength = 0.f;
    s.shadow = true;
    DrawText(img, text, s, x, baseline);
}

std::vector<std::string> Wrap(const Font& font, const TextSpec& textSpec, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.Measure(candidate, textSpec).width > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace assetgen
