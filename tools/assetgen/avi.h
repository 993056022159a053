// The intro movie's file format: RIFF AVI 1.0 with one 8-bit palettised video stream whose
// frames are run-length encoded (BI_RLE8), every frame a key frame, and an 'idx1' index.
//
// Every frame stands alone (no skip codes that lean on the previous frame), so a player may
// start, seek or drop frames anywhere; the palette is fixed for the whole movie.
#pragma once

#include <cstdint>
#include <vector>

#include "palette.h"
#include "writers.h"

namespace assetgen {

struct Movie {
    int width = 0;
    int height = 0;
    int framesPerSecond = 0;
    Palette palette{};
    std::vector<std::vector<uint8_t>> frames;  // palette indices, top row first, width × height each
};

// One frame as BI_RLE8 data: rows bottom-up, each ended by an end-of-line code, the frame by an
// end-of-bitmap code. Runs of two or more equal pixels become encoded runs; the rest go in
// absolute mode (three or more pixels, padded to a whole word) or as runs of one.
Bytes EncodeRle8(int w, int h, const std::vector<uint8_t>& indices);

// The whole file. Throws std::invalid_argument when a frame's size does not match the movie's or
// the movie has no frames.
Bytes EncodeAvi(const Movie& movie);

// AVI layout constants, shared with the tests that read the files back.
namespace avi {
constexpr uint32_t kMainHeaderSize = 56;        // 'avih'
constexpr uint32_t kStreamHeaderSize = 56;      // 'strh'
constexpr uint32_t kFormatSize = 40 + 256 * 4;  // 'strf': BITMAPINFOHEADER and colour table
constexpr uint32_t kHasIndex = 0x10;            // AVIF_HASINDEX
constexpr uint32_t kKeyFrame = 0x10;            // AVIIF_KEYFRAME
constexpr uint32_t kBiRle8 = 1;
}  // namespace avi

}  // namespace assetgen
