// BMP layout rules shared by the picture slot reader and the tests. Pure data, no windows.h:
// the reader hands in the bytes it really read and gets back what is safe to draw.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorv {

// The 14-byte file header, decoded little-endian.
struct BmpFileHeader {
    uint16_t type = 0;      // "BM" = 0x4D42
    uint32_t fileSize = 0;  // declared size of the whole file
    uint16_t reserved1 = 0, reserved2 = 0;
    uint32_t pixelOffset = 0;  // read but never used
};

constexpr uint16_t kBmpSignature = 0x4D42;
constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kBmpInfoHeaderSize = 40;
// Largest width and height the reader accepts; far above any screen picture.
constexpr int32_t kBmpMaxDimension = 16384;

// Decodes the file header from `n` bytes; false when fewer than 14 bytes are given.
bool DecodeBmpFileHeader(const uint8_t* bytes, size_t n, BmpFileHeader* out);

// Size of the block that follows the file header, as the header declares it:
// fileSize - 14. Returns false when fileSize is below 14 (the block size would wrap).
bool BmpBlockSize(const BmpFileHeader& header, uint32_t* blockSize);

// Why a block (the file without its 14-byte header) cannot be drawn.
enum class BmpProblem {
    None,
    TooShort,     // fewer than 40 bytes for the information header
    HeaderSize,   // information header size is not 40
    Planes,       // planes is not 1
    BitCount,     // not 1, 4, 8, 16, 24 or 32 bits per pixel
    Compression,  // anything but uncompressed (BI_RGB)
    Dimensions,   // width <= 0, height == 0, or either beyond kBmpMaxDimension
    ColorCount,   // colours-used above what the depth allows (2^depth, at most 256)
    ColorTable,   // the colour table runs past the end of the block
    PixelData,    // the pixel rows, or a non-zero image size field, run past the block's end
    ColorIndex,   // a pixel names an entry beyond the colour table (1, 4 and 8 bits only)
};

// What the drawing code needs to know about a valid block.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // as stored: negative for top-down pictures
    uint16_t bitCount = 0;
    uint32_t colorCount = 0;      // entries in the colour table (0 for none)
    size_t colorTableOffset = 0;  // from block start; always 40
    size_t pixelOffset = 0;       // from block start: header size + colorCount * 4
    size_t rowBytes = 0;          // one DWORD-aligned pixel row
    size_t pixelBytes = 0;        // rowBytes * |height|
};

// The colour count rule of the slot reader: the low 16 bits of colours-used if the field is
// non-zero, otherwise 2, 16 or 256 for 1, 4 or 8 bits per pixel, and 0 for deeper pictures.
// Takes any field as it stands; ValidateBmpBlock refuses fields whose count would be wrong.
uint32_t BmpColorCount(uint16_t bitCount, uint32_t colorsUsed);

// Checks every field the drawing code relies on against the `n` bytes really present, and
// every pixel of a 1, 4 or 8-bit picture against its colour table, in the order the enum lists
// the problems; reports the first that fails. On success fills `out`
// (when not null) and returns BmpProblem::None; every byte of the colour table and of the
// pixel rows it describes then lies inside the block.
BmpProblem ValidateBmpBlock(const uint8_t* block, size_t n, BmpLayout* out);

}  // namespace zorv
