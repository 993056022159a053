// The slot reader, the shared palette, resource bitmaps and scaled drawing, on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/drawing_win.h"
#include "graphics/picture_slots_win.h"
#include "menus/menu_buttons.h"
#include "platform/gdi_guards_win.h"
#include "platform/handle_guards_win.h"
#include "platform/message_box_win.h"
#include "resource_ids.h"
#include "slot_inspection_win.h"
#include "test_files_win.h"

using namespace zorv;
using namespace zorv_test;

namespace {

std::vector<std::string> g_messages;
void Collect(const char* text) { g_messages.push_back(text); }

class Slots : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        SetMessageSinkForTesting(Collect);
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        temp_ = std::string(dir) + "zorv_slots_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(temp_.c_str(), nullptr);
    }
    void TearDown() override {
        ReleasePictures();
        SetMessageSinkForTesting(nullptr);
        for (const std::string& f : files_) DeleteFileA(f.c_str());
        RemoveDirectoryA(temp_.c_str());
    }
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = temp_ + name;
        zorv_test::WriteBytes(path, bytes.data(), bytes.size());
        files_.push_back(path);
        return path;
    }
    std::string temp_;
    std::vector<std::string> files_;
};

void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
    if (at + 4 > b.size()) return;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A bottom-up BI_RGB picture with `colors` table entries (0 for none).
std::vector<unsigned char> MakeBmp(int width, int height, int bits, int colors, uint32_t colorsUsed) {
    size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    size_t size = 14 + 40 + colors * 4 + row * height;
    std::vector<unsigned char> b(size, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(size));
    Put32(b, 10, static_cast<uint32_t>(14 + 40 + colors * 4));
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, height);
    b[26] = 1;
    b[28] = static_cast<unsigned char>(bits);
    Put32(b, 46, colorsUsed);
    return b;
}

// Draws a slot scaled into a 32-bit section and returns its pixels (0x00RRGGBB), top row first.
std::vector<uint32_t> Render(int slot, int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    MemoryDC dc(nullptr);
    GdiObject<HBITMAP> section(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectedObject selected(dc.get(), section.get());
    std::vector<uint32_t> out(static_cast<size_t>(width) * height, 0xDEADBEEF);
    memcpy(bits, out.data(), out.size() * 4);
    DrawSlotScaled(dc.get(), 0, 0, width, height, slot);
    GdiFlush();
    memcpy(out.data(), bits, out.size() * 4);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
}

std::string Suite(const char* group, const char* name) {
    return std::string(ZORV_BMPSUITE_DIR) + "\\" + group + "\\" + name;
}

}  // namespace

TEST_F(Slots, EachRefusalShowsTheReadersMessageAndLeavesTheSlotEmpty) {
    std::vector<unsigned char> good = MakeBmp(4, 2, 24, 0, 0);
    std::vector<unsigned char> sizeTooLarge = good;
    Put32(sizeTooLarge, 2, static_cast<uint32_t>(good.size() + 1));
    std::vector<unsigned char> sizeBelowHeader = good;
    Put32(sizeBelowHeader, 2, 10);
    std::vector<unsigned char> emptyBlock = good;
    Put32(emptyBlock, 2, 14);
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0};
    std::vector<unsigned char> rle = MakeBmp(4, 2, 8, 256, 0);
    rle[30] = 1;  // BI_RLE8

    // clang-format off
    struct Case { const char* name; std::string path; const char* message; } cases[] = {
        {"missing", temp_ + "none.bmp", "Bmp File Open Error"},
        {"short header", Write("short.bmp", {'B', 'M', 1, 2}), "Bmp File Header Read Error"},
        {"png", Write("png.bmp", png), "Bmp File Not Format"},
        {"size beyond file", Write("big.bmp", sizeTooLarge), "Bmp File Read Fail"},
        {"size below 14", Write("small.bmp", sizeBelowHeader), "over Memory"},
        {"nothing behind header", Write("empty.bmp", emptyBlock), "Bmp File Not Format"},
        {"compressed", Write("rle.bmp", rle), "Bmp File Not Format"},
    };
    // clang-format on
    for (const Case& c : cases) {
        g_messages.clear();
        EXPECT_EQ(ReadPicture(c.path.c_str(), 3), 0) << c.name;
        ASSERT_EQ(g_messages.size(), 1u) << c.name;
        EXPECT_EQ(g_messages[0], c.message) << c.name;
        EXPECT_FALSE(SlotFilled(3)) << c.name;
        EXPECT_EQ(SlotToBitmap(3).get(), nullptr) << c.name;
        EXPECT_EQ(Render(3, 2, 2)[0], 0xADBEEFu) << c.name << ": an empty slot draws nothing";
    }
}

TEST_F(Slots, ColourTableBecomesTheSharedPaletteAndLocatesThePixels) {
    // 8 bits with colours-used 0 (a table of 256) and 100 (pixels 400 bytes after the header).
    for (unsigned used : {0u, 100u}) {
        const unsigned count = used ? used : 256;
        std::vector<unsigned char> b = MakeBmp(4, 1, 8, count, used);
        for (unsigned i = 0; i < count * 4; ++i) b[54 + i] = i % 4 == 3 ? 0 : static_cast<unsigned char>(i * 7 + 1);
        b[54 + count * 4] = 7;  // the first pixel is entry 7: blue 197, green 204, red 211
        ASSERT_EQ(ReadPicture(Write(std::to_string(used) + ".bmp", b).c_str(), 1), 1);
        EXPECT_EQ(SlotColorCount(1), count);
        EXPECT_EQ(SharedPaletteAsTable(), std::vector<BYTE>(b.begin() + 54, b.begin() + 54 + count * 4)) << used;
        EXPECT_EQ(Render(1, 4, 1)[0], 0xD3CCC5u) << used;
    }
    EXPECT_TRUE(g_messages.empty());
    HPALETTE palette = SharedPalette();
    ASSERT_NE(palette, nullptr);

    // A 24-bit picture has no table: it keeps the palette of the earlier picture.
    ASSERT_EQ(ReadPicture(Write("rgb.bmp", MakeBmp(2, 2, 24, 0, 0)).c_str(), 2), 1);
    EXPECT_EQ(SlotColorCount(2), 0u);
    EXPECT_EQ(SharedPalette(), palette);

    ReleasePictures();
    ReleasePictures();
    EXPECT_FALSE(SlotFilled(1));
    EXPECT_FALSE(SlotFilled(2));
}

// A 24-bit picture leaves the shared palette as it was (empty in a process of its own, as CTest
// runs every test), and scaled drawing works without one.
TEST_F(Slots, ScaledDrawingRepeatsAndDropsWithoutBlending) {
    const HPALETTE before = SharedPalette();
    std::vector<unsigned char> b = MakeBmp(2, 1, 24, 0, 0);
    b[54 + 2] = 0xFF;  // left pixel red (stored blue, green, red)
    b[54 + 3] = 0xFF;  // right pixel blue
    ASSERT_EQ(ReadPicture(Write("two.bmp", b).c_str(), 4), 1);
    EXPECT_EQ(SharedPalette(), before) << "a picture without colour table made a palette";
    std::vector<uint32_t> wide = Render(4, 4, 1);
    EXPECT_EQ(wide, (std::vector<uint32_t>{0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}));
    std::vector<uint32_t> narrow = Render(4, 1, 1);
    EXPECT_TRUE(narrow[0] == 0xFF0000u || narrow[0] == 0x0000FFu) << std::hex << narrow[0];
}

TEST_F(Slots, GoodSuitePicturesDrawAlike) {
    // The suite stores one picture in several encodings: each must draw exactly like its
    // plainest form (bottom-up with a full colour table).
    // clang-format off
    struct Pair { const char* reference; const char* same; } pairs[] = {
        {"rgb24.bmp", "rgb24pal.bmp"}, {"pal8.bmp", "pal8-0.bmp"}, {"pal8.bmp", "pal8topdown.bmp"},
        {"pal4.bmp", "pal4gs.bmp"},
    };
    // clang-format on
    for (const Pair& p : pairs) {
        ReleasePictures();
        ASSERT_EQ(ReadPicture(Suite("g", p.reference).c_str(), 1), 1) << p.reference;
        ASSERT_EQ(ReadPicture(Suite("g", p.same).c_str(), 2), 1) << p.same;
        if (std::string(p.same) == "pal4gs.bmp") {
            EXPECT_NE(Render(1, 127, 64), Render(2, 127, 64)) << "grey and colour palettes draw differently";
        } else {
            EXPECT_EQ(Render(1, 127, 64), Render(2, 127, 64)) << p.same;
        }
    }
    const char* drawable[] = {"pal1.bmp",   "pal1bg.bmp",        "pal1wb.bmp",   "pal4.bmp",    "pal4gs.bmp",
                              "pal8gs.bmp", "pal8nonsquare.bmp", "pal8w124.bmp", "pal8w125.bmp"};
    for (const char* name : drawable) {
        ReleasePictures();
        ASSERT_EQ(ReadPicture(Suite("g", name).c_str(), 1), 1) << name;
        EXPECT_NE(SlotToBitmap(1).get(), nullptr) << name;
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Slots, BadSuiteFilesAreAllRefused) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Suite("b", "*.bmp").c_str(), &found);
    FileSearch owner(search);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int count = 0;
    do {
        // Their only fault is a pixels-per-metre value, which nothing here reads.
        if (std::string(found.cFileName).rfind("baddens", 0) == 0) continue;
        g_messages.clear();
        EXPECT_EQ(ReadPicture(Suite("b", found.cFileName).c_str(), 5), 0) << found.cFileName;
        ASSERT_EQ(g_messages.size(), 1u) << found.cFileName;
        EXPECT_FALSE(SlotFilled(5));
        ++count;
    } while (FindNextFileA(search, &found));
    EXPECT_GT(count, 10);
}

TEST(ResourceBitmaps, LoadWithTheirOwnPalettes) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    ResourceImage start = LoadResourceBitmap(self, IDB_START_NORMAL);
    ASSERT_TRUE(start.bitmap);
    BITMAP info = {};
    GetObjectA(start.bitmap.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, kMainMenuButtons[0].pictureWidth);
    EXPECT_EQ(info.bmHeight, kMainMenuButtons[0].pictureHeight);
    ASSERT_TRUE(start.palette);
    EXPECT_EQ(GetPaletteEntries(start.palette.get(), 0, 0, nullptr), 256u);

    ResourceImage missing = LoadResourceBitmap(self, 4321);
    EXPECT_FALSE(missing.bitmap);
    EXPECT_FALSE(missing.palette);

    // A 24-bit picture: no palette, and its pixels start right after the 40-byte header.
    ResourceImage rgb = LoadResourceBitmap(self, 900);
    ASSERT_TRUE(rgb.bitmap);
    EXPECT_FALSE(rgb.palette);
    const std::string file = zorv_test::ReadBytes(Suite("g", "rgb24.bmp"));
    ASSERT_GT(file.size(), 54u);
    const std::string pixels = file.substr(54);  // a file header, the information header, no table
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 127;
    bi.bmiHeader.biHeight = 64;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    std::string loaded(pixels.size(), '\0');
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, rgb.bitmap.get(), 0, 64, &loaded[0], &bi, DIB_RGB_COLORS), 64);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(loaded == pixels) << "the bitmap's pixels are not the file's";
}

TEST(MessageBoxRoutine, TextIsNeverAFormat) {
    g_messages.clear();
    SetMessageSinkForTesting(Collect);
    ShowMessage("100%s %d %n done");
    std::string longText(500, 'x');
    ShowMessage(longText.c_str());
    SetMessageSinkForTesting(nullptr);
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[0], "100%s %d %n done");
    EXPECT_EQ(g_messages[1].size(), 199u);
}
