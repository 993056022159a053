#include "graphics/bmp_format.h"

namespace zorv {
namespace {

// Field offsets inside the 40-byte information header.
constexpr size_t kInfoSize = 0;
constexpr size_t kInfoWidth = 4;
constexpr size_t kInfoHeight = 8;
constexpr size_t kInfoPlanes = 12;
constexpr size_t kInfoBitCount = 14;
constexpr size_t kInfoCompression = 16;
constexpr size_t kInfoSizeImage = 20;
constexpr size_t kInfoColorsUsed = 32;

constexpr uint32_t kCompressionNone = 0;  // BI_RGB
constexpr size_t kColorEntrySize = 4;     // blue, green, red, reserved

// Fields are read byte by byte: the block is not aligned and the host byte order is not assumed.
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

int32_t ReadI32(const uint8_t* p) {
    const int64_t value = ReadU32(p);
    return static_cast<int32_t>(value > INT32_MAX ? value - 0x100000000LL : value);
}

bool IsSupportedBitCount(uint16_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// True when every pixel of a palettised picture names an entry of its colour table. Only the
// `width` pixels of each row are looked at; the padding to the next DWORD may hold anything.
bool IndicesWithinTable(const uint8_t* pixels, const BmpLayout& layout) {
    const uint32_t bits = layout.bitCount;
    if (bits > 8 || layout.colorCount >= (1u << bits)) return true;
    const uint32_t mask = (1u << bits) - 1;
    const size_t rows = layout.pixelBytes / layout.rowBytes;
    for (size_t r = 0; r < rows; ++r) {
        const uint8_t* row = pixels + r * layout.rowBytes;
        for (size_t bit = 0; bit < static_cast<size_t>(layout.width) * bits; bit += bits) {
            // Pixels are packed from the most significant bit of each byte.
            const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & mask;
            if (index >= layout.colorCount) return false;
        }
    }
    return true;
}

}  // namespace

bool DecodeBmpFileHeader(const uint8_t* bytes, size_t n, BmpFileHeader* out) {
    if (bytes == nullptr || out == nullptr || n < kBmpFileHeaderSize) return false;
    out->type = ReadU16(bytes);
    out->fileSize = ReadU32(bytes + 2);
    out->reserved1 = ReadU16(bytes + 6);
    out->reserved2 = ReadU16(bytes + 8);
    out->pixelOffset = ReadU32(bytes + 10);
    return true;
}

bool BmpBlockSize(const BmpFileHeader& header, uint32_t* blockSize) {
    if (header.fileSize < kBmpFileHeaderSize) return false;
    if (blockSize != nullptr) *blockSize = header.fileSize - static_cast<uint32_t>(kBmpFileHeaderSize);
    return true;
}

uint32_t BmpColorCount(uint16_t bitCount, uint32_t colorsUsed) {
    if (colorsUsed != 0) return colorsUsed & 0xFFFFu;
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

BmpProblem ValidateBmpBlock(const uint8_t* block, size_t n, BmpLayout* out) {
    if (block == nullptr || n < kBmpInfoHeaderSize) return BmpProblem::TooShort;
    if (ReadU32(block + kInfoSize) != kBmpInfoHeaderSize) return BmpProblem::HeaderSize;
    if (ReadU16(block + kInfoPlanes) != 1) return BmpProblem::Planes;

    const uint16_t bitCount = ReadU16(block + kInfoBitCount);
    if (!IsSupportedBitCount(bitCount)) return BmpProblem::BitCount;
    if (ReadU32(block + kInfoCompression) != kCompressionNone) return BmpProblem::Compression;

    // Height is widened before its sign is dropped: -INT32_MIN does not fit 32 bits.
    const int32_t width = ReadI32(block + kInfoWidth);
    const int32_t height = ReadI32(block + kInfoHeight);
    const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || width > kBmpMaxDimension || rows == 0 || rows > kBmpMaxDimension) return BmpProblem::Dimensions;

    // The full 32-bit field is checked; only then is its low half taken as the count.
    const uint32_t colorsUsed = ReadU32(block + kInfoColorsUsed);
    const uint32_t maxColors = bitCount <= 8 ? (1u << bitCount) : 256u;
    if (colorsUsed > maxColors) return BmpProblem::ColorCount;
    const uint32_t colorCount = BmpColorCount(bitCount, colorsUsed);

    // All sizes below are bounded (at most 2^30 for the pixels) but are kept in 64 bits so that
    // no comparison can wrap on a 32-bit size_t.
    const uint64_t available = n;
    const uint64_t pixelOffset = kBmpInfoHeaderSize + uint64_t{colorCount} * kColorEntrySize;
    if (pixelOffset > available) return BmpProblem::ColorTable;

    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t pixelBytes = rowBytes * static_cast<uint64_t>(rows);
    const uint64_t pixelRoom = available - pixelOffset;
    if (pixelBytes > pixelRoom) return BmpProblem::PixelData;
    // The drawing calls are handed the header as it is; an image size that promises more than
    // the block holds is refused in case they trust it.
    if (ReadU32(block + kInfoSizeImage) > pixelRoom) return BmpProblem::PixelData;

    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
    layout.colorCount = colorCount;
    layout.colorTableOffset = kBmpInfoHeaderSize;
    layout.pixelOffset = static_cast<size_t>(pixelOffset);
    layout.rowBytes = static_cast<size_t>(rowBytes);
    layout.pixelBytes = static_cast<size_t>(pixelBytes);
    // A short colour table is allowed, but then no pixel may point past it: the palette is built
    // from the table alone.
    if (!IndicesWithinTable(block + layout.pixelOffset, layout)) return BmpProblem::ColorIndex;

    if (out != nullptr) *out = layout;
    return BmpProblem::None;
}

}  // namespace zorv
