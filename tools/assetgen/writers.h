// Byte encoders for the file formats the game reads: 8-bit palettised BMP, PCM WAV and ICO.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "palette.h"

namespace assetgen {

using Bytes = std::vector<uint8_t>;

// Windows BMP: 14-byte file header, 40-byte BITMAPINFOHEADER, BI_RGB, 256-entry colour table
// (blue, green, red, 0), rows bottom-up and padded to four bytes. `indices` is top row first,
// w × h entries.
Bytes EncodeBmp8(int w, int h, const std::vector<uint8_t>& indices, const Palette& palette);

// RIFF WAVE, PCM, 16-bit mono.
Bytes EncodeWav16(int sampleRate, const std::vector<int16_t>& samples);

// One image of an icon file, top row first. `bgra` holds w × h pixels as blue, green, red, alpha.
struct IconImage {
    int size = 32;
    std::vector<uint8_t> bgra;
};

// ICO with two pictures of each image: an 8-bit palettised one (transparency in the AND mask,
// for palette displays) and a 32-bit one with alpha; both carry the AND mask.
Bytes EncodeIcon(const IconImage& image, const Palette& palette);

// Row length of a DIB of `w` pixels at `bits` per pixel: rounded up to four bytes.
inline size_t DibStride(int w, int bits) { return ((static_cast<size_t>(w) * bits + 31) / 32) * 4; }

}  // namespace assetgen
