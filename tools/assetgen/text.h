// Lettering through FreeType: measuring and rasterising a line of text into a coverage mask.
#pragma once

#include <memory>
#include <string>

#include "raster.h"

namespace assetgen {

// Size and shape of one line: `px` is the em size in pixels; `condense` narrows the glyphs
// horizontally (1 = as designed), `tracking` adds pixels between letters.
struct TextSpec {
    float px = 16.f;
    float condense = 1.f;
    float tracking = 0.f;
};

struct TextExtent {
    int width = 0;    // advance width of the line, pixels
    int ascent = 0;   // above the baseline (capital height of this font and size)
    int descent = 0;  // below the baseline
};

class Font {
public:
    // Throws std::runtime_error when the face cannot be opened.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    TextExtent Measure(const std::string& text, const TextSpec& textSpec) const;
    // Adds the line's coverage to `mask` with the pen starting at (x, baseline).
    void Draw(Mask& mask, const std::string& text, const TextSpec& textSpec, float x, float baseline) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The faces the art uses, all from the DejaVu core set.
struct Fonts {
    std::unique_ptr<Font> sans;
    std::unique_ptr<Font> bold;
    std::unique_ptr<Font> mono;
};

// Loads the faces from `dir` (default: the system's DejaVu folder).
Fonts LoadFonts(const std::string& dir = "/usr/share/fonts/truetype/dejavu");

// Largest size, at most textSpec.px, at which `text` fits in `maxWidth` pixels.
TextSpec FitWidth(const Font& font, const std::string& text, TextSpec textSpec, int maxWidth);

}  // namespace assetgen
