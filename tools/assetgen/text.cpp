#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

namespace {

FT_Library Library() {
    // One library for the whole run; released by the process exit.
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) throw std::runtime_error("FreeType cannot be initialised");
        return l;
    }();
    return lib;
}

long To26Dot6(float v) { return std::lround(v * 64.f); }

// The code point at `at` of UTF-8 text, moving `at` past it. A byte that does not start a
// well-formed sequence stands for itself.
FT_ULong NextCodePoint(const std::string& text, size_t& at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t extra = lead >= 0xF0 && lead < 0xF5   ? 3
                         : lead >= 0xE0 && lead < 0xF0 ? 2
                         : lead >= 0xC2 && lead < 0xE0 ? 1
                                                       : 0;
    FT_ULong code = lead & (0x3Fu >> extra);
    bool formed = extra > 0 && at + extra < text.size();
    for (size_t i = 1; formed && i <= extra; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        formed = (next & 0xC0u) == 0x80u;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (!formed) {
        ++at;
        return lead;
    }
    at += extra + 1;
    return code;
}

}  // namespace

struct Font::Impl {
    FT_Face face = nullptr;

    void Prepare(const TextSpec& textSpec) const {
        FT_Set_Char_Size(face, 0, To26Dot6(textSpec.px), 72, 72);
        FT_Matrix m{static_cast<FT_Fixed>(std::lround(textSpec.condense * 65536.f)), 0, 0, 0x10000};
        FT_Set_Transform(face, &m, nullptr);
    }

    // Walks the glyphs of a line, calling fn(glyph slot, pen x in pixels) for each.
    template <typename Fn>
    float Walk(const std::string& text, const TextSpec& textSpec, Fn fn) const {
        Prepare(textSpec);
        float pen = 0;
        FT_UInt previous = 0;
        for (size_t at = 0; at < text.size();) {
            FT_UInt glyph = FT_Get_Char_Index(face, NextCodePoint(text, at));
            if (previous && glyph && FT_HAS_KERNING(face)) {
                FT_Vector k{};
                if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &k) == 0)
                    pen += k.x / 64.f * textSpec.condense;
            }
            if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) continue;
            fn(face->glyph, pen);
            pen += face->glyph->advance.x / 64.f + textSpec.tracking;
            previous = glyph;
        }
        return text.empty() ? 0.f : pen - textSpec.tracking;
    }
};

Font::Font(const std::string& path) : impl_(new Impl) {
    if (FT_New_Face(Library(), path.c_str(), 0, &impl_->face) != 0)
        throw std::runtime_error("cannot open font " + path);
}

Font::~Font() {
    if (impl_->face) FT_Done_Face(impl_->face);
}

TextExtent Font::Measure(const std::string& text, const TextSpec& textSpec) const {
    float width = impl_->Walk(text, textSpec, [](FT_GlyphSlot, float) {});
    TextExtent e;
    e.width = static_cast<int>(std::ceil(width));
    // Capital height from "H", so that lettering centres on what the eye sees.
    FT_UInt h = FT_Get_Char_Index(impl_->face, 'H');
    if (FT_Load_Glyph(impl_->face, h, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) == 0)
        e.ascent = static_cast<int>(std::lround(impl_->face->glyph->metrics.horiBearingY / 64.f));
    e.descent = static_cast<int>(std::lround(-impl_->face->size->metrics.descender / 64.f));
    return e;
}

void Font::Draw(Mask& mask, const std::string& text, const TextSpec& textSpec, float x, float baseline) const {
    impl_->Walk(text, textSpec, [&](FT_GlyphSlot slot, float pen) {
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
        const FT_Bitmap& bm = slot->bitmap;
        int left = static_cast<int>(std::lround(x + pen)) + slot->bitmap_left;
        int top = static_cast<int>(std::lround(baseline)) - slot->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                int mx = left + static_cast<int>(col), my = top + static_cast<int>(row);
                if (mx < 0 || my < 0 || mx >= mask.w || my >= mask.h) continue;
                float v = bm.buffer[static_cast<size_t>(row) * static_cast<size_t>(std::abs(bm.pitch)) + col] / 255.f;
                float& d = mask.At(mx, my);
                d = std::min(1.f, d + v);
            }
    });
}

Fonts LoadFonts(const std::string& dir) {
    Fonts f;
    f.sans = std::make_unique<Font>(dir + "/DejaVuSans.ttf");
    f.bold = std::make_unique<Font>(dir + "/DejaVuSans-Bold.ttf");
    f.mono = std::make_unique<Font>(dir + "/DejaVuSansMono-Bold.ttf");
    return f;
}

TextSpec FitWidth(const Font& font, const std::string& text, TextSpec textSpec, int maxWidth) {
    while (textSpec.px > 6.f && font.Measure(text, textSpec).width > maxWidth) textSpec.px -= 0.5f;
    return textSpec;
}

}  // namespace assetgen
