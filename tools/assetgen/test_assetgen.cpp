// Tests of the asset generator: the byte layouts the program's readers rely on, the button
// geometry the menus rely on, and that a run always gives the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <unistd.h>

#include "assets.h"
#include "buttons.h"
#include "icons.h"
#include "infofiles.h"
#include "palette.h"
#include "raster.h"
#include "settings/game_files.h"
#include "sounds.h"
#include "style.h"
#include "writers.h"

namespace assetgen {
namespace {

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }
std::string Tag(const Bytes& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

// The parts of an 8-bit BMP that the program reads, decoded independently of the writer.
struct Bmp {
    int w = 0, h = 0;
    std::vector<std::vector<uint8_t>> rows;  // top row first
};

Bmp DecodeBmp8(const Bytes& b) {
    Bmp out;
    EXPECT_EQ(b.at(0), 'B');
    EXPECT_EQ(b.at(1), 'M');
    EXPECT_EQ(U32(b, 2), b.size()) << "file size field";
    EXPECT_EQ(U32(b, 6), 0u) << "reserved words";
    EXPECT_EQ(U32(b, 10), 14u + 40u + 1024u) << "pixel offset";
    EXPECT_EQ(U32(b, 14), 40u) << "BITMAPINFOHEADER size";
    out.w = static_cast<int>(U32(b, 18));
    out.h = static_cast<int>(U32(b, 22));
    EXPECT_EQ(U16(b, 26), 1) << "planes";
    EXPECT_EQ(U16(b, 28), 8) << "bits per pixel";
    EXPECT_EQ(U32(b, 30), 0u) << "BI_RGB";
    uint32_t used = U32(b, 46);
    EXPECT_TRUE(used == 0 || used == 256) << used;
    size_t stride = (static_cast<size_t>(out.w) + 3) / 4 * 4;
    EXPECT_EQ(U32(b, 34), stride * out.h) << "image size";
    EXPECT_EQ(b.size(), 1078 + stride * out.h);
    for (int y = 0; y < out.h && b.size() >= 1078 + stride * out.h; ++y) {
        size_t at = 1078 + stride * static_cast<size_t>(out.h - 1 - y);  // stored bottom-up
        out.rows.emplace_back(b.begin() + at, b.begin() + at + out.w);
        for (size_t pad = out.w; pad < stride; ++pad) EXPECT_EQ(b[at + pad], 0) << "row padding";
    }
    return out;
}

// ---- writers ----

TEST(BmpWriter, HeaderPaddingAndRowOrderForEveryRowRemainder) {
    for (int w : {1, 2, 3, 4, 5, 145, 151}) {
        SCOPED_TRACE(w);
        const int h = 3;
        std::vector<uint8_t> pixels(static_cast<size_t>(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + 1);
        Bytes file = EncodeBmp8(w, h, pixels, GamePalette());
        Bmp bmp = DecodeBmp8(file);
        ASSERT_EQ(bmp.w, w);
        ASSERT_EQ(bmp.h, h);
        for (int y = 0; y < h; ++y)
            EXPECT_TRUE(std::equal(bmp.rows[y].begin(), bmp.rows[y].end(), pixels.begin() + y * w)) << "row " << y;
    }
}

TEST(BmpWriter, ColourTableIsBlueGreenRedZero) {
    Palette p{};
    p[0] = {10, 20, 30};
    p[255] = {200, 100, 50};
    Bytes file = EncodeBmp8(1, 1, {0}, p);
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 58), (Bytes{30, 20, 10, 0}));
    EXPECT_EQ(Bytes(file.begin() + 54 + 255 * 4, file.begin() + 58 + 255 * 4), (Bytes{50, 100, 200, 0}));
}

TEST(BmpWriter, RefusesMismatchedPixelCount) {
    EXPECT_THROW(EncodeBmp8(4, 4, std::vector<uint8_t>(15), GamePalette()), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8(0, 4, {}, GamePalette()), std::invalid_argument);
}

TEST(WavWriter, RiffAndFormatFields) {
    std::vector<int16_t> samples = {0, 1, -1, 32767, -32768};
    Bytes wav = EncodeWav16(22050, samples);
    ASSERT_EQ(wav.size(), 44u + samples.size() * 2);
    EXPECT_EQ(Tag(wav, 0), "RIFF");
    EXPECT_EQ(U32(wav, 4), wav.size() - 8);
    EXPECT_EQ(Tag(wav, 8), "WAVE");
    EXPECT_EQ(Tag(wav, 12), "fmt ");
    EXPECT_EQ(U32(wav, 16), 16u);
    EXPECT_EQ(U16(wav, 20), 1) << "PCM";
    EXPECT_EQ(U16(wav, 22), 1) << "mono";
    EXPECT_EQ(U32(wav, 24), 22050u);
    EXPECT_EQ(U32(wav, 28), 44100u) << "bytes per second";
    EXPECT_EQ(U16(wav, 32), 2) << "block alignment";
    EXPECT_EQ(U16(wav, 34), 16) << "bits per sample";
    EXPECT_EQ(Tag(wav, 36), "data");
    EXPECT_EQ(U32(wav, 40), samples.size() * 2);
    EXPECT_EQ(U16(wav, 44 + 3 * 2), 0x7FFF);
    EXPECT_EQ(U16(wav, 44 + 4 * 2), 0x8000);
}

TEST(IconWriter, DirectoryPointsAtTwoCompleteImagesWithMasks) {
    IconImage img;
    img.bgra.assign(32 * 32 * 4, 255);
    img.bgra[3] = 0;  // top-left pixel transparent
    Bytes ico = EncodeIcon(img, GamePalette());
    ASSERT_GE(ico.size(), 6u + 32u);
    EXPECT_EQ(U16(ico, 0), 0);
    EXPECT_EQ(U16(ico, 2), 1) << "icon type";
    ASSERT_EQ(U16(ico, 4), 2);
    size_t expectedOffset = 6 + 2 * 16;
    const size_t mask = 32 * 4;  // one bit per pixel, rows of four bytes
    const int bits[] = {8, 32};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(bits[i]);
        size_t e = 6 + 16 * static_cast<size_t>(i);
        EXPECT_EQ(ico[e], 32);
        EXPECT_EQ(ico[e + 1], 32);
        EXPECT_EQ(U16(ico, e + 4), 1) << "planes";
        EXPECT_EQ(U16(ico, e + 6), bits[i]);
        uint32_t size = U32(ico, e + 8), offset = U32(ico, e + 12);
        EXPECT_EQ(offset, expectedOffset);
        size_t colours = bits[i] == 8 ? 1024 : 0;
        size_t xorBytes = 32 * 32 * static_cast<size_t>(bits[i]) / 8;
        EXPECT_EQ(size, 40 + colours + xorBytes + mask);
        ASSERT_LE(offset + size, ico.size());
        EXPECT_EQ(U32(ico, offset), 40u);
        EXPECT_EQ(U32(ico, offset + 8), 64u) << "height counts picture and mask";
        EXPECT_EQ(U16(ico, offset + 14), bits[i]);
        // The mask is stored bottom-up: the top-left pixel is the first bit of its last row.
        size_t maskStart = offset + 40 + colours + xorBytes;
        EXPECT_EQ(ico[maskStart + 31 * 4] & 0x80, 0x80) << "transparent pixel masked";
        EXPECT_EQ(ico[maskStart] & 0x80, 0) << "opaque pixel not masked";
        expectedOffset += size;
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

// ---- drawing and conversion ----

TEST(Masks, AntialiasedCoverageAddsUpToTheArea) {
    Mask m(40, 40);
    MaskFillRect(m, 2.25f, 3.5f, 12.75f, 9.f);
    float sum = 0;
    for (float v : m.a) sum += v;
    EXPECT_NEAR(sum, 10.5f * 5.5f, 0.01f);

    Mask c(40, 40);
    MaskCircle(c, 20.f, 20.f, 10.f);
    sum = 0;
    for (float v : c.a) sum += v;
    EXPECT_NEAR(sum, 3.14159f * 100.f, 3.f);
    EXPECT_FLOAT_EQ(c.At(20, 20), 1.f);
    EXPECT_FLOAT_EQ(c.At(0, 0), 0.f);
}

TEST(Quantizer, DitheredFlatColoursStayCloseToTheirColour) {
    const Palette& pal = GamePalette();
    const Rgb colours[] = {{0.f, 0.f, 0.f}, {1.f, 1.f, 1.f},  colours::kWall,    colours::kPlate,
                           colours::kGreen, colours::kYellow, {0.8f, 0.1f, 0.1f}};
    for (const Rgb& c : colours) {
        Image img(16, 16, c);
        double r = 0, g = 0, b = 0;
        for (uint8_t i : Quantize(img)) r += pal[i].r, g += pal[i].g, b += pal[i].b;
        // Averaged over the dither pattern the picture keeps its colour.
        EXPECT_NEAR(r / 256, c.r * 255, 12) << c.r << " " << c.g << " " << c.b;
        EXPECT_NEAR(g / 256, c.g * 255, 12) << c.r << " " << c.g << " " << c.b;
        EXPECT_NEAR(b / 256, c.b * 255, 12) << c.r << " " << c.g << " " << c.b;
    }
}

class TextRendering : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = new Fonts(LoadFonts()); }
    static void TearDownTestSuite() { delete fonts_; }
    static Fonts* fonts_;
};
Fonts* TextRendering::fonts_ = nullptr;

TEST_F(TextRendering, FittingAndWrappingKeepToTheWidth) {
    const Font& bold = *fonts_->bold;
    TextSpec wide{40.f, 1.f, 0.f};
    TextSpec fitted = FitWidth(bold, "SETUP INPUT DEVICE", wide, 150);
    EXPECT_LT(fitted.px, wide.px);
    EXPECT_LE(bold.Measure("SETUP INPUT DEVICE", fitted).width, 150);
    TextSpec narrow = wide;
    narrow.condense = 0.8f;
    EXPECT_LT(bold.Measure("OPTION", narrow).width, bold.Measure("OPTION", wide).width);

    const std::string text = "Two pilots meet in a 3D arena. Outfly your rival and shoot first.";
    TextSpec body{11.f, 1.f, 0.f};
    std::vector<std::string> lines = Wrap(*fonts_->sans, body, text, 120);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(fonts_->sans->Measure(line, body).width, 120) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
}

TEST_F(TextRendering, Utf8SymbolsAreOneGlyphAndStrayBytesStandForThemselves) {
    const Font& bold = *fonts_->bold;
    TextSpec size{20.f, 1.f, 0.f};
    const std::string arrow = "\xE2\x96\xB6";  // one symbol, three bytes
    int one = bold.Measure(arrow, size).width;
    EXPECT_GT(one, 8);
    EXPECT_EQ(bold.Measure(arrow + arrow, size).width, 2 * one) << "two symbols, six bytes";
    // Broken sequences are not swallowed: each byte is drawn as the character it numbers.
    EXPECT_EQ(bold.Measure("\xE2\x96", size).width,
              bold.Measure("\xE2", size).width + bold.Measure("\x96", size).width);
    EXPECT_EQ(bold.Measure("\xC3"
                           "A",
                           size)
                  .width,
              bold.Measure("\xC3", size).width + bold.Measure("A", size).width);
}

TEST(Icons, OpaqueShapeOnTransparentCorners) {
    for (const IconImage& icon : {DrawApplicationIcon(), DrawFloppyIcon(), DrawExclamationIcon(), DrawCheckIcon()}) {
        ASSERT_EQ(icon.bgra.size(), 32u * 32 * 4);
        auto alpha = [&](int x, int y) { return icon.bgra[(static_cast<size_t>(y) * 32 + x) * 4 + 3]; };
        int opaque = 0;
        for (int i = 0; i < 32 * 32; ++i) opaque += icon.bgra[static_cast<size_t>(i) * 4 + 3] > 200;
        EXPECT_GT(opaque, 100);
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_TRUE(alpha(31, 31) == 0 || alpha(0, 31) == 0 || alpha(31, 0) == 0);
    }
}

TEST(Sounds, AudibleWithoutClicksAtTheEnds) {
    for (const std::vector<int16_t>& s : {SynthHoverBlip(), SynthClick()}) {
        ASSERT_FALSE(s.empty());
        int peak = 0;
        for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 3000);
        EXPECT_LT(peak, 32000) << "headroom against clipping";
        EXPECT_LT(std::abs(static_cast<int>(s.front())), 200);
        EXPECT_LT(std::abs(static_cast<int>(s.back())), 200);
    }
}

TEST(FileOutput, CreatesFoldersAndWritesExactBytes) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("assetgen_test_" + std::to_string(::getpid()));
    fs::remove_all(root);
    WriteFiles(root.string(), {{"a/b/c.bin", {0, 13, 10, 255}}, {"top.txt", {'x'}}});
    std::ifstream in(root / "a" / "b" / "c.bin", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\0\r\n\xff", 4)) << "no newline translation";
    EXPECT_EQ(fs::file_size(root / "top.txt"), 1u);
    fs::remove_all(root);
}

// ---- the generated set ----

class GeneratedAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fonts_ = new Fonts(LoadFonts());
        game_ = new std::map<std::string, Bytes>;
        res_ = new std::map<std::string, Bytes>;
        for (OutputFile& f : BuildGameFolder(*fonts_)) (*game_)[f.path] = std::move(f.bytes);
        for (OutputFile& f : BuildResources(*fonts_)) (*res_)[f.path] = std::move(f.bytes);
    }
    static void TearDownTestSuite() {
        delete game_;
        delete res_;
        delete fonts_;
    }
    static const Bytes& Game(const std::string& path) { return game_->at(path); }
    static const Bytes& Res(const std::string& path) { return res_->at(path); }
    static std::string Text(const std::string& path) {
        const Bytes& b = Game(path);
        return std::string(b.begin(), b.end());
    }
    static std::string Button(int id) { return "btn_" + std::to_string(id) + ".bmp"; }

    static Fonts* fonts_;
    static std::map<std::string, Bytes>* game_;
    static std::map<std::string, Bytes>* res_;
};

Fonts* GeneratedAssets::fonts_ = nullptr;
std::map<std::string, Bytes>* GeneratedAssets::game_ = nullptr;
std::map<std::string, Bytes>* GeneratedAssets::res_ = nullptr;

TEST_F(GeneratedAssets, SecondRunGivesTheSameBytes) {
    FileSet game = BuildGameFolder(*fonts_), res = BuildResources(*fonts_);
    ASSERT_EQ(game.size(), game_->size());
    ASSERT_EQ(res.size(), res_->size());
    for (const OutputFile& f : game) EXPECT_TRUE(f.bytes == Game(f.path)) << f.path;
    for (const OutputFile& f : res) EXPECT_TRUE(f.bytes == Res(f.path)) << f.path;
}

TEST_F(GeneratedAssets, PicturesHaveTheSizesTheScreensUse) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"background", {640, 480}}, {"MainBK", {640, 480}}, {"OptionBK", {640, 480}}, {"inputBK", {640, 480}},
        {"smallwin", {280, 352}},   {"how1", {280, 340}},   {"how2", {280, 340}},     {"how3", {280, 340}},
    };
    for (const auto& [name, size] : sizes) {
        SCOPED_TRACE(name);
        Bmp bmp = DecodeBmp8(Game("resource/background/" + name + ".bmp"));
        EXPECT_EQ(bmp.w, size.first);
        EXPECT_EQ(bmp.h, size.second);
    }
}

TEST_F(GeneratedAssets, EveryButtonPictureIsDrawnOnceAndCompiledIn) {
    std::set<int> ids;
    const std::string script(Res("buttons.rc").begin(), Res("buttons.rc").end());
    for (const ButtonArt& b : AllButtons()) {
        for (int id : {b.normalId, b.highlightedId, b.pressedId}) {
            if (id == 0) continue;
            SCOPED_TRACE(id);
            EXPECT_TRUE(ids.insert(id).second) << "resource used by two pictures";
            Bmp bmp = DecodeBmp8(Res(Button(id)));
            EXPECT_EQ(bmp.w, b.Width());
            EXPECT_EQ(bmp.h, b.Height());
            EXPECT_NE(script.find(std::to_string(id) + " BITMAP \"" + Button(id) + "\"\n"), std::string::npos);
        }
    }
}

TEST_F(GeneratedAssets, EveryMenuButtonHasThreePicturesOnePixelLargerThanItsRectangle) {
    std::set<int> ids;
    for (const ButtonArt& b : MenuButtons()) {
        for (int id : {b.normalId, b.highlightedId, b.pressedId}) {
            SCOPED_TRACE(id);
            EXPECT_TRUE(ids.insert(id).second) << "id used twice";
            Bmp bmp = DecodeBmp8(Res(Button(id)));
            EXPECT_EQ(bmp.w, b.right - b.left + 1);
            EXPECT_EQ(bmp.h, b.bottom - b.top + 1);
        }
    }
    std::set<int> expected = {295, 296, 297};
    for (int id = 189; id <= 212; ++id) expected.insert(id);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(Bmp(DecodeBmp8(Res(Button(190)))).w, 145);
    EXPECT_EQ(Bmp(DecodeBmp8(Res(Button(196)))).h, 62);
}

TEST_F(GeneratedAssets, ButtonWordsAreTheMenuEntries) {
    std::vector<std::string> words;
    for (const ButtonArt& b : MenuButtons()) words.push_back(b.Words());
    EXPECT_EQ(words,
              (std::vector<std::string>{"START GAME", "NETWORK GAME", "OPTION", "QUIT ZORV 3D", "SETUP INPUT DEVICE",
                                        "AUDIO CALIBRATION", "VIDEO CALIBRATION", "HOW TO PLAY", "CLOSE"}));
}

TEST_F(GeneratedAssets, OnlyTheHighlightedPictureShowsTheStripedBar) {
    const Palette& pal = GamePalette();
    auto yellow = [&](uint8_t i) { return pal[i].r > 150 && pal[i].g > 100 && pal[i].b < 80; };
    for (const ButtonArt& b : MenuButtons()) {
        SCOPED_TRACE(b.Words());
        Bmp normal = DecodeBmp8(Res(Button(b.normalId)));
        Bmp lit = DecodeBmp8(Res(Button(b.highlightedId)));
        Bmp pressed = DecodeBmp8(Res(Button(b.pressedId)));
        int yellowRows[3] = {0, 0, 0};
        for (int y = 6; y < normal.h - 6; ++y)
            for (int x = kIndicatorLeft + 1; x < kIndicatorRight - 1; ++x) {
                yellowRows[0] += yellow(normal.rows[y][x]);
                yellowRows[1] += yellow(lit.rows[y][x]);
                yellowRows[2] += yellow(pressed.rows[y][x]);
            }
        EXPECT_EQ(yellowRows[0], 0);
        EXPECT_GT(yellowRows[1], (normal.h - 12) * 3) << "stripes in the highlighted picture";
        EXPECT_EQ(yellowRows[2], 0);
        // Wherever a test probes the indicator slot, the three pictures differ.
        int same = 0;
        for (int y = 6; y < normal.h - 6; ++y)
            for (int x = kIndicatorLeft + 1; x < kIndicatorRight - 1; ++x) {
                uint8_t n = normal.rows[y][x], l = lit.rows[y][x], p = pressed.rows[y][x];
                same += (n == l) + (n == p) + (l == p);
            }
        EXPECT_EQ(same, 0);
        // Pressed is the face one pixel further right and down: the lit upper edge of the plate,
        // row 1 of the normal picture, is row 2 of the pressed one, below the dark outline.
        auto rowLight = [&](const Bmp& bmp, int y) {
            int sum = 0;
            for (int x = 20; x < bmp.w - 20; ++x) {
                const PaletteEntry& e = pal[bmp.rows[y][x]];
                sum += e.r + e.g + e.b;
            }
            return sum / (bmp.w - 40);
        };
        EXPECT_GT(rowLight(normal, 1), 2 * rowLight(pressed, 1));
        EXPECT_GT(rowLight(pressed, 2), 2 * rowLight(pressed, 1));
    }
}

// The key screen's highlighted and pressed pictures both carry the striped bar and the glowing
// lettering; the pressed one shows them one pixel further right and down.
TEST_F(GeneratedAssets, KeyPressedPictureIsTheHighlightedBarAndLetteringOnePixelFurther) {
    const Palette& pal = GamePalette();
    auto yellow = [&](uint8_t i) { return pal[i].r > 150 && pal[i].g > 100 && pal[i].b < 80; };
    auto lit = [&](uint8_t i) { return pal[i].g >= 200 && pal[i].b < 200; };
    int keyButtons = 0;
    for (const ButtonArt& b : AllButtons()) {
        if (b.screen != ButtonScreen::Keys) continue;
        ++keyButtons;
        SCOPED_TRACE(b.Words());
        Bmp normal = DecodeBmp8(Res(Button(b.normalId)));
        Bmp high = DecodeBmp8(Res(Button(b.highlightedId)));
        Bmp pressed = DecodeBmp8(Res(Button(b.pressedId)));
        ASSERT_EQ(high.rows.size(), static_cast<size_t>(b.Height()));
        ASSERT_EQ(pressed.rows.size(), static_cast<size_t>(b.Height()));
        auto count = [&](auto is, const Bmp& bmp, int x0, int x1) {
            int n = 0;
            for (int y = 6; y < bmp.h - 6; ++y)
                for (int x = x0; x < x1; ++x) n += is(bmp.rows[y][x]);
            return n;
        };
        // The share of the highlighted picture's yellow pixels in the bar whose pixel `d` further
        // right and down in the pressed picture is yellow too.
        auto stripesMatch = [&](int d) {
            int both = 0, all = 0;
            for (int y = 6; y < b.Height() - 6; ++y)
                for (int x = kIndicatorLeft + 1; x < kIndicatorRight - 1; ++x) {
                    if (!yellow(high.rows[y][x])) continue;
                    ++all;
                    both += yellow(pressed.rows[y + d][x + d]);
                }
            return all ? static_cast<double>(both) / all : 0.0;
        };
        // The mean difference of green between the lettering of the highlighted picture and that
        // of the pressed one read `d` pixels further right and down.
        const int textLeft = kIndicatorRight + 6, textRight = b.Width() - 14;
        auto letteringDifference = [&](int d) {
            double sum = 0;
            for (int y = 6; y < b.Height() - 7; ++y)
                for (int x = textLeft; x < textRight; ++x)
                    sum += std::abs(pal[high.rows[y][x]].g - pal[pressed.rows[y + d][x + d]].g);
            return sum / ((textRight - textLeft) * (b.Height() - 13));
        };

        const int barArea = (b.Height() - 12) * (kIndicatorRight - kIndicatorLeft - 2);
        EXPECT_EQ(count(yellow, normal, kIndicatorLeft + 1, kIndicatorRight - 1), 0);
        EXPECT_GT(count(yellow, high, kIndicatorLeft + 1, kIndicatorRight - 1), barArea / 3);
        EXPECT_GT(count(yellow, pressed, kIndicatorLeft + 2, kIndicatorRight), barArea / 3);
        EXPECT_GT(stripesMatch(1), 0.97);
        EXPECT_LT(stripesMatch(0), 0.8);
        // Glowing: far more of the lettering is lit than in the normal picture.
        const int normalLit = count(lit, normal, textLeft, textRight);
        EXPECT_GT(count(lit, high, textLeft, textRight), 2 * normalLit + 20);
        EXPECT_GT(count(lit, pressed, textLeft + 1, textRight + 1), 2 * normalLit + 20);
        EXPECT_LT(letteringDifference(1), 5.0);
        EXPECT_GT(letteringDifference(0), 10.0);
    }
    EXPECT_EQ(keyButtons, 5);
}

TEST_F(GeneratedAssets, MenuBackgroundsCarryTheNormalPicturesWhereTheButtonsStand) {
    Bmp mainBk = DecodeBmp8(Game(GamePath(zorv::kMainMenuBackground)));
    Bmp optionBk = DecodeBmp8(Game(GamePath(zorv::kOptionsMenuBackground)));
    for (const ButtonArt& b : MenuButtons()) {
        SCOPED_TRACE(b.Words());
        const Bmp& bg = b.screen == ButtonScreen::Main ? mainBk : optionBk;
        Bmp normal = DecodeBmp8(Res(Button(b.normalId)));
        int differing = 0;
        for (int y = 0; y < normal.h; ++y)
            for (int x = 0; x < normal.w; ++x) differing += normal.rows[y][x] != bg.rows[b.top + y][b.left + x];
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(GeneratedAssets, HowToPlayPagesCarryTheNormalPicturesWhereTheButtonsStand) {
    for (int page = 1; page <= 3; ++page) {
        Bmp bg = DecodeBmp8(Game(GamePath(zorv::kHowToPlayPictures[page - 1])));
        for (const ButtonArt& b : AllButtons()) {
            if (b.screen != ButtonScreen::HowToPlay) continue;
            SCOPED_TRACE(b.normalId);
            Bmp normal = DecodeBmp8(Res(Button(b.normalId)));
            int differing = 0;
            for (int y = 0; y < normal.h; ++y)
                for (int x = 0; x < normal.w; ++x) differing += normal.rows[y][x] != bg.rows[b.top + y][b.left + x];
            EXPECT_EQ(differing, 0) << "page " << page;
        }
    }
}

TEST_F(GeneratedAssets, InterfaceSoundsAreShortPcm) {
    for (const auto& [path, ms] :
         std::map<std::string, int>{{GamePath(zorv::kHoverSoundFile), 60}, {GamePath(zorv::kClickSoundFile), 120}}) {
        SCOPED_TRACE(path);
        const Bytes& wav = Game(path);
        EXPECT_EQ(U32(wav, 24), 22050u);
        EXPECT_EQ(U32(wav, 40), static_cast<uint32_t>(22050 * ms / 1000 * 2));
    }
}

// ---- the info files ----

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        EXPECT_NE(end, std::string::npos) << "last line without line end";
        if (end == std::string::npos) break;
        EXPECT_TRUE(end > start && text[end - 1] == '\r') << "line without CR LF: " << text.substr(start, end - start);
        lines.push_back(text.substr(start, end - start - 1));
        start = end + 1;
    }
    return lines;
}

TEST_F(GeneratedAssets, SettingsFilesHoldTheDefaultsWithCrLf) {
    EXPECT_EQ(Text(GamePath(zorv::kFirstRunFlagFile)), "0\r\n");
    EXPECT_EQ(Text(GamePath(zorv::kAudioSettingsFile)), "0\r\nMusic 25\r\nSound 25\r\n");
    EXPECT_EQ(Text(GamePath(zorv::kVideoSettingsFile)), "0\r\n0\r\n0\r\n50\r\n");
    std::vector<std::string> keys = Lines(Text(GamePath(zorv::kKeyBindingsFile)));
    ASSERT_EQ(keys.size(), 14u);
    EXPECT_EQ(keys[0], "0");
    EXPECT_EQ(keys[1], "#1p-Up 328");
    EXPECT_EQ(keys[5], "#1p-Fire01 26");
    EXPECT_EQ(keys[11], "#2p-Fire01 42");
    EXPECT_EQ(keys[12], "#2p-Fire02 29");
    EXPECT_EQ(keys[13], "#JoyStick 0");
}

TEST_F(GeneratedAssets, CaptionFileHasEveryKeyOnceWithValuesThatFit) {
    std::map<std::string, std::string> values;
    for (const std::string& line : Lines(Text(GamePath(zorv::kCaptionFile)))) {
        size_t space = line.find(' ');
        ASSERT_NE(space, std::string::npos) << line;
        std::string key = line.substr(0, space), value = line.substr(space + 1);
        EXPECT_TRUE(values.emplace(key, value).second) << "twice: " << key;
        EXPECT_EQ(value.find('\t'), std::string::npos) << key;
        EXPECT_FALSE(value.empty()) << key;
        EXPECT_NE(value[0], ' ') << "one delimiter only: " << key;
        EXPECT_LE(value.size(), key == "wm:" ? 99u : 49u) << key;
    }
    for (const char* key : {"FONT:", "FHeight:", "FWidth:", "a0:", "a1:", "v0:", "v1:", "v2:", "wm:"})
        EXPECT_EQ(values.count(key), 1u) << key;
    EXPECT_EQ(values["FHeight:"], "95");
    EXPECT_EQ(values["FWidth:"], "0");
}

TEST_F(GeneratedAssets, DriverListMatchesTheDriverFolders) {
    std::vector<std::string> lines = Lines(Text(GamePath(zorv::kDriverListFile)));
    ASSERT_FALSE(lines.empty());
    size_t drivers = std::stoul(lines[0]);
    ASSERT_EQ(drivers, SampleDrivers().size());
    ASSERT_GE(drivers, 5u) << "room for the system driver, three local drivers and another card";
    ASSERT_GE(lines.size(), 1 + 2 * drivers + 1);
    for (size_t i = 0; i < drivers; ++i) {
        const std::string& dir = lines[1 + 2 * i];
        const std::string& name = lines[2 + 2 * i];
        ASSERT_EQ(dir.substr(0, 3), "#D ");
        ASSERT_EQ(name.substr(0, 3), "#N ");
        EXPECT_LE(dir.size() - 3, 40u);
        EXPECT_LE(name.size() - 3, 49u);
        bool local = i >= 1 && i <= 3;
        EXPECT_EQ(SampleDrivers()[i].local, local);
        for (const char* lib : {"Opengl32.dll", "Glu32.dll"}) {
            const std::string path = "Driver/" + dir.substr(3) + "/" + lib;
            ASSERT_EQ(game_->count(path), local ? 1u : 0u) << path;
            // A copy beside the game says which library of which driver it is.
            if (local) EXPECT_EQ(Text(path), StandInLibraryText(lib, SampleDrivers()[i])) << path;
            if (local) EXPECT_NE(Text(path).find(name.substr(3)), std::string::npos) << path;
        }
    }
    size_t at = 1 + 2 * drivers;
    size_t modes = std::stoul(lines[at]);
    ASSERT_EQ(lines.size(), at + 1 + modes + 1) << "modes, then the last mode's label";
    EXPECT_GE(modes, 4u);
    for (size_t m = 0; m < modes; ++m) {
        std::istringstream in(lines[at + 1 + m]);
        int w = 0, h = 0, depth = 0;
        EXPECT_TRUE(in >> w >> h >> depth) << lines[at + 1 + m];
        EXPECT_GT(w * h * depth, 0);
    }
    EXPECT_FALSE(lines.back().empty());
}

}  // namespace
}  // namespace assetgen
