#include "graphics/bmp_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace zorv {
namespace {

namespace fs = std::filesystem;

// Information header fields of a hand-built block. The defaults describe an 8-bit, 4 x 2
// picture with a full 256-entry table: 40 + 1024 + 2 * 4 = 1072 bytes.
struct Info {
    uint32_t size = 40;
    int32_t width = 4;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
};
constexpr size_t kDefaultBlock = 1072;

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A zero-filled block of `length` bytes (pixels all index 0) headed by as much of `info` as fits.
std::vector<uint8_t> MakeBlock(const Info& info, size_t length) {
    std::vector<uint8_t> header(kBmpInfoHeaderSize, 0);
    Put(header, 0, info.size, 4);
    Put(header, 4, static_cast<uint32_t>(info.width), 4);
    Put(header, 8, static_cast<uint32_t>(info.height), 4);
    Put(header, 12, info.planes, 2);
    Put(header, 14, info.bitCount, 2);
    Put(header, 16, info.compression, 4);
    Put(header, 20, info.sizeImage, 4);
    Put(header, 32, info.colorsUsed, 4);
    std::vector<uint8_t> block(length, 0);
    std::copy_n(header.begin(), std::min(length, header.size()), block.begin());
    return block;
}

BmpProblem Validate(const std::vector<uint8_t>& block, BmpLayout* out = nullptr) {
    return ValidateBmpBlock(block.data(), block.size(), out);
}

TEST(BmpFileHeader, DecodesLittleEndianFields) {
    const uint8_t bytes[] = {'B', 'M', 0x78, 0x56, 0x34, 0x12, 0x01, 0x02, 0x03, 0x04, 0x36, 0x04, 0x00, 0x80};
    BmpFileHeader header;
    ASSERT_FALSE(DecodeBmpFileHeader(bytes, 13, &header));
    ASSERT_TRUE(DecodeBmpFileHeader(bytes, sizeof bytes, &header));
    EXPECT_EQ(header.type, kBmpSignature);
    EXPECT_EQ(header.fileSize, 0x12345678u);
    EXPECT_EQ(header.reserved1, 0x0201);
    EXPECT_EQ(header.reserved2, 0x0403);
    EXPECT_EQ(header.pixelOffset, 0x80000436u);
}

TEST(BmpFileHeader, BlockSizeRefusesSizesBelowTheHeader) {
    const struct {
        uint32_t fileSize;
        bool ok;
        uint32_t blockSize;
        // clang-format off
    } cases[] = {
        {0, false, 0}, {13, false, 0}, {14, true, 0}, {54, true, 40},
        {0xFFFFFFFFu, true, 0xFFFFFFF1u},
    };
    // clang-format on
    for (const auto& c : cases) {
        BmpFileHeader header;
        header.fileSize = c.fileSize;
        uint32_t blockSize = 0;
        EXPECT_EQ(BmpBlockSize(header, &blockSize), c.ok) << c.fileSize;
        if (c.ok) EXPECT_EQ(blockSize, c.blockSize) << c.fileSize;
    }
}

TEST(BmpFormat, ColorCountRule) {
    const struct {
        uint16_t bitCount;
        uint32_t colorsUsed;
        uint32_t count;
        // clang-format off
    } cases[] = {
        {1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {16, 0, 0}, {24, 0, 0}, {32, 0, 0},
        {1, 1, 1}, {8, 100, 100}, {24, 256, 256},
        // Only the low half counts, but the whole field decides whether it was given.
        {8, 0x10064, 0x64}, {8, 0x10000, 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(BmpColorCount(c.bitCount, c.colorsUsed), c.count)
            << c.bitCount << " bits, colours-used " << c.colorsUsed;
}

TEST(BmpFormat, RefusesEachFault) {
    const struct {
        const char* what;
        void (*edit)(Info&);
        size_t length;
        BmpProblem problem;
        // clang-format off
    } cases[] = {
        {"empty block", [](Info&) {}, 0, BmpProblem::TooShort},
        {"header cut short", [](Info&) {}, 39, BmpProblem::TooShort},
        {"core header", [](Info& i) { i.size = 12; }, kDefaultBlock, BmpProblem::HeaderSize},
        {"v4 header", [](Info& i) { i.size = 108; }, kDefaultBlock, BmpProblem::HeaderSize},
        {"v5 header", [](Info& i) { i.size = 124; }, kDefaultBlock, BmpProblem::HeaderSize},
        {"planes 0", [](Info& i) { i.planes = 0; }, kDefaultBlock, BmpProblem::Planes},
        {"planes 2", [](Info& i) { i.planes = 2; }, kDefaultBlock, BmpProblem::Planes},
        {"0 bits", [](Info& i) { i.bitCount = 0; }, kDefaultBlock, BmpProblem::BitCount},
        {"2 bits", [](Info& i) { i.bitCount = 2; }, kDefaultBlock, BmpProblem::BitCount},
        {"64 bits", [](Info& i) { i.bitCount = 64; }, kDefaultBlock, BmpProblem::BitCount},
        {"RLE8", [](Info& i) { i.compression = 1; }, kDefaultBlock, BmpProblem::Compression},
        {"RLE4", [](Info& i) { i.compression = 2; }, kDefaultBlock, BmpProblem::Compression},
        {"bit fields", [](Info& i) { i.compression = 3; }, kDefaultBlock, BmpProblem::Compression},
        {"PNG inside", [](Info& i) { i.compression = 5; }, kDefaultBlock, BmpProblem::Compression},
        {"width 0", [](Info& i) { i.width = 0; }, kDefaultBlock, BmpProblem::Dimensions},
        {"width < 0", [](Info& i) { i.width = -4; }, kDefaultBlock, BmpProblem::Dimensions},
        {"width too big", [](Info& i) { i.width = 16385; }, kDefaultBlock, BmpProblem::Dimensions},
        {"height 0", [](Info& i) { i.height = 0; }, kDefaultBlock, BmpProblem::Dimensions},
        {"height too big", [](Info& i) { i.height = 16385; }, kDefaultBlock,
         BmpProblem::Dimensions},
        {"top-down too big", [](Info& i) { i.height = -16385; }, kDefaultBlock,
         BmpProblem::Dimensions},
        {"height INT32_MIN", [](Info& i) { i.height = INT32_MIN; }, kDefaultBlock,
         BmpProblem::Dimensions},
        {"width INT32_MIN", [](Info& i) { i.width = INT32_MIN; }, kDefaultBlock,
         BmpProblem::Dimensions},
        {"3 colours, 1 bit", [](Info& i) { i.bitCount = 1; i.colorsUsed = 3; }, kDefaultBlock,
         BmpProblem::ColorCount},
        {"17 colours, 4 bits", [](Info& i) { i.bitCount = 4; i.colorsUsed = 17; }, kDefaultBlock,
         BmpProblem::ColorCount},
        {"257 colours, 8 bits", [](Info& i) { i.colorsUsed = 257; }, kDefaultBlock,
         BmpProblem::ColorCount},
        {"low half 1, 8 bits", [](Info& i) { i.colorsUsed = 0x10001; }, kDefaultBlock,
         BmpProblem::ColorCount},
        {"257 colours, 24 bits", [](Info& i) { i.bitCount = 24; i.colorsUsed = 257; },
         kDefaultBlock, BmpProblem::ColorCount},
        {"low half 0, 24 bits", [](Info& i) { i.bitCount = 24; i.colorsUsed = 0x10000; },
         kDefaultBlock, BmpProblem::ColorCount},
        {"table cut by a byte", [](Info&) {}, 1063, BmpProblem::ColorTable},
        {"table, no rows", [](Info&) {}, 1064, BmpProblem::PixelData},
        {"rows cut by a byte", [](Info&) {}, 1071, BmpProblem::PixelData},
        {"image size too big", [](Info& i) { i.sizeImage = 9; }, kDefaultBlock,
         BmpProblem::PixelData},
        {"image size absurd", [](Info& i) { i.sizeImage = 0x7EEEEEEE; }, kDefaultBlock,
         BmpProblem::PixelData},
    };
    // clang-format on
    for (const auto& c : cases) {
        Info info;
        c.edit(info);
        EXPECT_EQ(Validate(MakeBlock(info, c.length)), c.problem) << c.what;
    }
}

TEST(BmpFormat, AcceptsLimits) {
    const struct {
        const char* what;
        void (*edit)(Info&);
        size_t length;
        // clang-format off
    } cases[] = {
        {"exact size", [](Info&) {}, kDefaultBlock},
        {"bytes after the rows", [](Info&) {}, kDefaultBlock + 29},
        {"image size exact", [](Info& i) { i.sizeImage = 8; }, kDefaultBlock},
        {"image size small", [](Info& i) { i.sizeImage = 1; }, kDefaultBlock},
        {"2 colours, 1 bit", [](Info& i) { i.bitCount = 1; i.colorsUsed = 2; i.width = 1; }, 56},
        {"16 colours, 4 bits", [](Info& i) { i.bitCount = 4; i.colorsUsed = 16; i.width = 1; },
         112},
        {"256 colours, 8 bits", [](Info& i) { i.colorsUsed = 256; }, kDefaultBlock},
        {"256 colours, 32 bits", [](Info& i) { i.bitCount = 32; i.colorsUsed = 256; },
         1064 + 32},
        {"widest", [](Info& i) { i.width = 16384; i.height = -1; }, 1064 + 16384},
        {"tallest", [](Info& i) { i.width = 1; i.height = 16384; }, 1064 + 16384 * 4},
    };
    // clang-format on
    for (const auto& c : cases) {
        Info info;
        c.edit(info);
        EXPECT_EQ(Validate(MakeBlock(info, c.length)), BmpProblem::None) << c.what;
    }
}

TEST(BmpFormat, LayoutOfValidBlocks) {
    const struct {
        const char* what;
        uint16_t bitCount;
        int32_t width, height;
        uint32_t colorsUsed;
        uint32_t colorCount;
        size_t pixelOffset, rowBytes, pixelBytes;
        // clang-format off
    } cases[] = {
        {"1 bit, padded row", 1, 33, 2, 0, 2, 48, 8, 16},
        {"4 bits, 12 colours", 4, 127, 64, 12, 12, 88, 64, 4096},
        {"4 bits, full table", 4, 9, 1, 0, 16, 104, 8, 8},
        {"8 bits, full table", 8, 127, 64, 0, 256, 1064, 128, 8192},
        {"8 bits, 100 colours", 8, 4, 2, 100, 100, 440, 4, 8},
        {"8 bits, top-down", 8, 127, -64, 252, 252, 1048, 128, 8192},
        {"16 bits", 16, 3, 2, 0, 0, 40, 8, 16},
        {"24 bits, no table", 24, 127, 64, 0, 0, 40, 384, 24576},
        {"24 bits, padded row", 24, 3, 1, 0, 0, 40, 12, 12},
        {"24 bits with a table", 24, 3, 1, 256, 256, 1064, 12, 12},
        {"32 bits", 32, 5, 1, 0, 0, 40, 20, 20},
        {"1 bit, tallest top-down", 1, 1, -16384, 0, 2, 48, 4, 65536},
    };
    // clang-format on
    for (const auto& c : cases) {
        Info info;
        info.bitCount = c.bitCount;
        info.width = c.width;
        info.height = c.height;
        info.colorsUsed = c.colorsUsed;
        const size_t size = c.pixelOffset + c.pixelBytes;
        BmpLayout layout;
        ASSERT_EQ(Validate(MakeBlock(info, size), &layout), BmpProblem::None) << c.what;
        EXPECT_EQ(layout.width, c.width) << c.what;
        EXPECT_EQ(layout.height, c.height) << c.what;
        EXPECT_EQ(layout.bitCount, c.bitCount) << c.what;
        EXPECT_EQ(layout.colorCount, c.colorCount) << c.what;
        EXPECT_EQ(layout.colorTableOffset, 40u) << c.what;
        EXPECT_EQ(layout.pixelOffset, c.pixelOffset) << c.what;
        EXPECT_EQ(layout.rowBytes, c.rowBytes) << c.what;
        EXPECT_EQ(layout.pixelBytes, c.pixelBytes) << c.what;
        EXPECT_EQ(Validate(MakeBlock(info, size - 1)), BmpProblem::PixelData) << c.what;
    }
}

TEST(BmpFormat, PixelsMustNameTableEntries) {
    // 5-pixel rows of a 3-colour table; the last byte of each row (and bits past the fifth
    // pixel) are padding and may hold anything.
    const struct {
        const char* what;
        uint16_t bitCount;
        std::vector<uint8_t> row;
        BmpProblem problem;
        // clang-format off
    } cases[] = {
        {"8 bits within", 8, {0, 1, 2, 2, 1, 0xFF, 0xFF, 0xFF}, BmpProblem::None},
        {"8 bits past", 8, {0, 1, 2, 3, 1, 0, 0, 0}, BmpProblem::ColorIndex},
        {"4 bits within", 4, {0x01, 0x22, 0x1F, 0xFF}, BmpProblem::None},
        {"4 bits past, low nibble", 4, {0x01, 0x23, 0x10, 0x00}, BmpProblem::ColorIndex},
        {"4 bits past, fifth pixel", 4, {0x01, 0x22, 0x30, 0x00}, BmpProblem::ColorIndex},
    };
    // clang-format on
    for (const auto& c : cases) {
        Info info;
        info.bitCount = c.bitCount;
        info.width = 5;
        info.height = 1;
        info.colorsUsed = 3;
        std::vector<uint8_t> block = MakeBlock(info, 52 + c.row.size());
        std::copy(c.row.begin(), c.row.end(), block.begin() + 52);
        EXPECT_EQ(Validate(block), c.problem) << c.what;
    }
    // One colour for 1 bit per pixel: only the 33rd pixel, in the second row word, is set.
    Info info;
    info.bitCount = 1;
    info.width = 33;
    info.height = 1;
    info.colorsUsed = 1;
    std::vector<uint8_t> block = MakeBlock(info, 44 + 8);
    block[44 + 4] = 0x7F;
    EXPECT_EQ(Validate(block), BmpProblem::None);
    block[44 + 4] = 0x80;
    EXPECT_EQ(Validate(block), BmpProblem::ColorIndex);
}

// The BMP Suite read as the picture slot reader reads a file: the 14-byte header, then exactly
// the declared block, which must all be there.
enum class Refusal { None, HeaderRead, Signature, SizeBelowHeader, ReadFail, Block };

struct SlotRead {
    Refusal refusal = Refusal::None;
    BmpProblem problem = BmpProblem::None;
};

SlotRead ReadLikeSlot(const std::vector<uint8_t>& file) {
    BmpFileHeader header;
    uint32_t blockSize = 0;
    if (!DecodeBmpFileHeader(file.data(), file.size(), &header)) return {Refusal::HeaderRead};
    if (header.type != kBmpSignature) return {Refusal::Signature};
    if (!BmpBlockSize(header, &blockSize)) return {Refusal::SizeBelowHeader};
    if (blockSize > file.size() - kBmpFileHeaderSize) return {Refusal::ReadFail};
    // A block of its own, so that the sanitizer sees any read past what the reader holds.
    const std::vector<uint8_t> block(file.begin() + kBmpFileHeaderSize, file.begin() + kBmpFileHeaderSize + blockSize);
    BmpLayout layout;
    const BmpProblem problem = Validate(block, &layout);
    if (problem != BmpProblem::None) return {Refusal::Block, problem};
    volatile unsigned sum = 0;  // every promised byte is read, for the sanitizer to check
    for (size_t i = layout.colorTableOffset; i < layout.pixelOffset + layout.pixelBytes; ++i) sum = sum + block[i];
    return {};
}

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every .bmp file of one folder of the suite, by name.
std::map<std::string, std::vector<uint8_t>> SuiteFolder(const char* folder) {
    std::map<std::string, std::vector<uint8_t>> files;
    const fs::path dir = fs::path(ZORV_BMPSUITE_DIR) / folder;
    if (!fs::is_directory(dir)) return files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".bmp") files[entry.path().filename().string()] = ReadWholeFile(entry.path());
    return files;
}

uint32_t Le(const std::vector<uint8_t>& file, size_t at, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | file[at + i];
    return value;
}

// Whether a file is what the reader is made for: a 40-byte header, uncompressed, 1, 4, 8 or
// 24 bits per pixel.
bool IsClassicBmp(const std::vector<uint8_t>& file) {
    if (file.size() < 54) return false;
    const uint32_t bits = Le(file, 28, 2);
    return Le(file, 14, 4) == 40 && Le(file, 30, 4) == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24);
}

TEST(BmpSuite, ClassicGoodFilesValidate) {
    int classic = 0;
    for (const auto& [name, file] : SuiteFolder("g")) {
        const SlotRead read = ReadLikeSlot(file);
        if (!IsClassicBmp(file)) continue;
        ++classic;
        EXPECT_EQ(read.refusal, Refusal::None) << name;
        EXPECT_EQ(read.problem, BmpProblem::None) << name;
    }
    EXPECT_GE(classic, 15) << "BMP Suite missing under " << ZORV_BMPSUITE_DIR;
}

TEST(BmpSuite, QuestionableFilesReadSafely) {
    // Either outcome is fine; the sanitizers watch the reads.
    const auto files = SuiteFolder("q");
    for (const auto& [name, file] : files) ReadLikeSlot(file);
    EXPECT_GE(files.size(), 40u) << "BMP Suite missing under " << ZORV_BMPSUITE_DIR;
}

TEST(BmpSuite, BadFilesAreRefusedForTheirFault) {
    const std::map<std::string, SlotRead> expected = {
        {"badbitcount.bmp", {Refusal::Block, BmpProblem::BitCount}},
        {"badbitssize.bmp", {Refusal::Block, BmpProblem::PixelData}},
        {"badfilesize.bmp", {Refusal::ReadFail}},
        {"badheadersize.bmp", {Refusal::Block, BmpProblem::HeaderSize}},
        {"badpalettesize.bmp", {Refusal::Block, BmpProblem::ColorCount}},
        {"badplanes.bmp", {Refusal::Block, BmpProblem::Planes}},
        {"badrle.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badrle4.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badrle4bis.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badrle4ter.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badrlebis.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badrleter.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"badwidth.bmp", {Refusal::Block, BmpProblem::Dimensions}},
        {"pal8badindex.bmp", {Refusal::Block, BmpProblem::ColorIndex}},
        {"reallybig.bmp", {Refusal::ReadFail}},
        {"rgb16-880.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"rletopdown.bmp", {Refusal::Block, BmpProblem::Compression}},
        {"shortfile.bmp", {Refusal::ReadFail}},
        // Their fault is a pixel density, which nothing here reads: drawn as they are.
        {"baddens1.bmp", {Refusal::None}},
        {"baddens2.bmp", {Refusal::None}},
    };
    const auto files = SuiteFolder("b");
    EXPECT_EQ(files.size(), expected.size()) << "BMP Suite under " << ZORV_BMPSUITE_DIR;
    for (const auto& [name, file] : files) {
        const auto want = expected.find(name);
        ASSERT_NE(want, expected.end()) << "no expectation for b/" << name;
        const SlotRead read = ReadLikeSlot(file);
        EXPECT_EQ(read.refusal, want->second.refusal) << name;
        EXPECT_EQ(read.problem, want->second.problem) << name;
    }
}

}  // namespace
}  // namespace zorv
