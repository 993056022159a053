// Feeds whole files to the BMP rules the way the picture slot reader does, then reads every
// byte that a valid verdict promises, so that a wrong promise is an out-of-bounds read.
#include "graphics/bmp_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    BmpFileHeader header;
    uint32_t blockSize = 0;
    if (!DecodeBmpFileHeader(data, size, &header)) return 0;
    if (header.type != kBmpSignature) return 0;
    if (!BmpBlockSize(header, &blockSize)) return 0;
    // The reader takes exactly the declared block and fails when the file is shorter.
    if (blockSize > size - kBmpFileHeaderSize) return 0;

    // A heap block of exactly that size, so that the sanitizer guards both of its ends.
    const std::vector<uint8_t> block(data + kBmpFileHeaderSize, data + kBmpFileHeaderSize + blockSize);
    BmpLayout layout;
    if (ValidateBmpBlock(block.data(), block.size(), &layout) != BmpProblem::None) return 0;

    const uint8_t* table = block.data() + layout.colorTableOffset;
    const uint8_t* pixels = block.data() + layout.pixelOffset;
    volatile uint32_t sum = 0;
    for (size_t i = 0; i < size_t{layout.colorCount} * 4; ++i) sum = sum + table[i];
    for (size_t i = 0; i < layout.pixelBytes; ++i) sum = sum + pixels[i];
    return 0;
}
