// The one 256-colour palette that every picture and button image of the game carries, and the
// conversion of an RGB canvas to indices in it.
//
// One shared palette matters on an 8-bit display: the program realises the palette of the last
// picture it read for all backgrounds, and each button's own palette for the button, so pictures
// that share a palette never show each other in wrong colours.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "raster.h"

namespace assetgen {

struct PaletteEntry {
    uint8_t r = 0, g = 0, b = 0;
};

using Palette = std::array<PaletteEntry, 256>;

// Ramps tuned to the art (dark blue-grey metal, green lettering and its glow, yellow warning
// stripes, red and blue for icons) plus a coarse colour cube for everything else.
const Palette& GamePalette();

// Index of the palette entry nearest to an 8-bit colour.
uint8_t NearestIndex(int r, int g, int b);

// Converts the canvas to palette indices, top row first. Ordered dithering hides the steps of
// gradients; (ox, oy) is where the canvas sits on its screen, so that a button image and the
// background under it, dithered with the same origin, give the same indices.
std::vector<uint8_t> Quantize(const Image& img, int ox = 0, int oy = 0);
// The same without dithering: flat areas become long runs of one index, which run-length
// encoding packs tightly (the movie's frames).
std::vector<uint8_t> QuantizeFlat(const Image& img);

}  // namespace assetgen
