#include "captions/caption_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace zorv {
namespace {

// The table's entry for a key of the file, sizes as decimal text.
std::string Field(const CaptionTable& t, const std::string& key) {
    if (key == "FONT:") return t.face;
    if (key == "FHeight:") return std::to_string(t.height);
    if (key == "FWidth:") return std::to_string(t.width);
    if (key == "a0:") return t.audio[0];
    if (key == "a1:") return t.audio[1];
    if (key == "v0:") return t.video[0];
    if (key == "v1:") return t.video[1];
    if (key == "v2:") return t.video[2];
    if (key == "wm:") return t.explanation;
    ADD_FAILURE() << "no such key " << key;
    return std::string();
}

// Code page 932's lead bytes (Shift JIS).
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
const std::string kKana = "\x83\x41";  // one katakana letter: a lead byte and a trail byte
std::string Kana(size_t letters) {
    std::string text;
    while (letters--) text += kKana;
    return text;
}

TEST(CaptionText, ReadsValuesByTheFileRules) {
    const struct {
        const char* what;
        std::string text;
        const char* key;
        std::string expected;
        LeadByteRule leadByte = nullptr;
    } cases[] = {
        {"spaces inside a value are kept", "FONT: Times New Roman\n", "FONT:", "Times New Roman"},
        {"a tab after the key is dropped", "FONT:\tArial\n", "FONT:", "Arial"},
        {"every leading tab is dropped", "a0:\t\t\tMusic\n", "a0:", "Music"},
        {"two spaces leave one", "a0:  Music volume\n", "a0:", " Music volume"},
        {"tabs after the delimiter space are dropped", "a1: \tSound\n", "a1:", "Sound"},
        {"a space after the tab is kept", "a1:\t Sound\n", "a1:", " Sound"},
        {"the value ends at a tab", "v0: Driver\tignored text\n", "v0:", "Driver"},
        {"blanks before the key", "  \t v1: Mode\n", "v1:", "Mode"},
        {"the last line has no line end", "v2: Level", "v2:", "Level"},
        {"CR LF line ends", "v2: Level\r\nv1: Mode\r\n", "v2:", "Level"},
        {"CR LF after a bare key", "v1: Mode\r\nv1:\r\n", "v1:", ""},
        {"a lone CR inside a value stays", "wm: a\rb\n", "wm:", "a\rb"},
        {"a key without its colon is ignored", "a0 Music\n", "a0:", ""},
        {"a key in another case is ignored", "Font: Arial\nfont: Arial\nA0: x\n", "FONT:", ""},
        {"a key glued to its value is ignored", "a0:Music\n", "a0:", ""},
        {"a key that is not the first token", "# wm: text\n", "wm:", ""},
        {"a later key wins", "wm: first\nwm: second\n", "wm:", "second"},
        {"a key with no value empties the field", "a0: Music\na0:\n", "a0:", ""},
        {"a key and a blank empty the field", "a0: Music\na0: \n", "a0:", ""},
        {"a key at the very end empties the field", "a0: Music\na0:", "a0:", ""},
        {"a NUL byte ends the line", std::string("a0: Mu\0sic\n", 11), "a0:", "Mu"},
        {"height", "FHeight: 95\n", "FHeight:", "95"},
        {"height after a tab, negative", "FHeight:\t-5\n", "FHeight:", "-5"},
        {"height without digits", "FHeight: big\n", "FHeight:", "0"},
        {"a bare height key", "FHeight: 95\nFHeight:\n", "FHeight:", "0"},
        {"height ends at the tab", "FHeight: \t\t7\t8\n", "FHeight:", "7"},
        {"width saturates", "FWidth: 99999999999\n", "FWidth:", "2147483647"},
        {"width glued to the height line is not read", "FHeight: 95\tFWidth: 40\n", "FWidth:", "0"},
        {"over-long caption is cut to 49", "a1: " + std::string(60, 'x') + "\n", "a1:", std::string(49, 'x')},
        {"over-long explanation is cut to 99", "wm: " + std::string(150, 'y') + "\n", "wm:", std::string(99, 'y')},
        // In a double-byte code page a cut keeps whole letters only; single bytes cut as before.
        {"double-byte caption keeps 24 letters", "a0: " + Kana(30) + "\n", "a0:", Kana(24), ShiftJisLead},
        {"one byte, then 24 letters fill 49", "a0: x" + Kana(30) + "\n", "a0:", "x" + Kana(24), ShiftJisLead},
        {"double-byte explanation keeps 49 letters", "wm: " + Kana(60) + "\n", "wm:", Kana(49), ShiftJisLead},
        {"a lone lead byte at the end is dropped", "v0: ab\x83\n", "v0:", "ab", ShiftJisLead},
        // A line is read in pieces of 255 characters, each piece a line of its own.
        {"a long line's first piece", "v0: " + std::string(251, 'A') + "v1: tail\n", "v0:", std::string(49, 'A')},
        {"a long line's second piece starts a key", "v0: " + std::string(251, 'A') + "v1: tail\n", "v1:", "tail"},
        {"text running on from a piece glues to the key", "v0: " + std::string(252, 'A') + "v1: tail\n", "v1:", ""},
        {"CR LF does not count toward the piece", "v0: " + std::string(250, 'B') + "\r\nv1: next\r\n", "v1:", "next"},
    };
    for (const auto& c : cases) {
        CaptionTable table;
        ParseCaptionText(table, c.text, c.leadByte);
        EXPECT_EQ(Field(table, c.key), c.expected) << c.what;
    }
}

TEST(CaptionText, ReadingClearsOnlyTheFaceName) {
    CaptionTable table;
    std::strcpy(table.face, "Old Face");
    std::strcpy(table.audio[0], "kept");
    table.height = 120;
    ParseCaptionText(table, "v0: new\n");
    EXPECT_STREQ(table.face, "");
    EXPECT_STREQ(table.audio[0], "kept");
    EXPECT_EQ(table.height, 120);
    EXPECT_STREQ(table.video[0], "new");
}

TEST(CaptionFont, HeightInPixelsFromTenthsOfAPoint) {
    const struct {
        int tenths;
        int dpi;
        int y;
        int lfHeight;
    } cases[] = {
        {95, 96, 126, -13},  // the documented examples at 96 pixels per inch
        {105, 96, 140, -14},
        {5, 96, 6, -1},    // font height 0 in the file, drawn half a point larger
        {0, 96, 0, 0},     // font height -5 in the file
        {-5, 96, -6, -1},  // the sign does not matter
        {-105, 96, -140, -14},
        {100, 96, 133, -13},
        {150, 96, 200, -20},  // whole pixels do not lose one to truncation
        {120, 72, 120, -12},
        {105, 120, 175, -18},  // 17.5 pixels round up
        {95, 144, 190, -19},
        {1, 96, 1, 0},
        {INT_MAX, 96, INT_MAX, -214748365},  // absurd sizes are clamped, never overflow
        {INT_MIN, 96, -INT_MAX, -214748365},
        {INT_MAX, INT_MAX, INT_MAX, -214748365},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionPointToDevice(c.tenths, c.dpi), c.y) << c.tenths << " at " << c.dpi;
        EXPECT_EQ(CaptionHeightFromDevice(CaptionPointToDevice(c.tenths, c.dpi)), c.lfHeight)
            << c.tenths << " at " << c.dpi;
    }
}

TEST(CaptionFont, CaptionsAreDrawnHalfAPointLarger) {
    const struct {
        int fileHeight;
        int drawn;
        int lfHeightAt96;
    } cases[] = {
        {0, 5, -1},  // font height 0 still gives a one-pixel font
        {-5, 0, 0},
        {95, 100, -13},
        {INT_MAX - 5, INT_MAX, -214748365},
        {INT_MAX, INT_MAX, -214748365},  // "FHeight: 99999999999" saturates, never overflows
    };
    for (const auto& c : cases) {
        CaptionTable table;
        table.height = c.fileHeight;
        EXPECT_EQ(CaptionDrawingHeight(table), c.drawn) << c.fileHeight;
        EXPECT_EQ(CaptionHeightFromDevice(CaptionPointToDevice(CaptionDrawingHeight(table), 96)), c.lfHeightAt96)
            << c.fileHeight;
    }
}

TEST(CaptionFont, AgreesWithTheSinglePrecisionProductForRealSizes) {
    const int dpis[] = {72, 96, 120, 144, 192, 240};
    for (int dpi : dpis) {
        for (int tenths = -3000; tenths <= 30000; ++tenths) {
            volatile float product = static_cast<float>(tenths * dpi);
            volatile float y = product * 0.013888889f;
            ASSERT_EQ(CaptionPointToDevice(tenths, dpi), static_cast<int>(y)) << tenths << " at " << dpi;
        }
    }
}

TEST(CaptionFont, WidthScalesTheAverageCharacterWidth) {
    const struct {
        int width;
        int height;
        int dpiX;
        int dpiY;
        int average;
        bool scaled;
        int lfWidth;
    } cases[] = {
        {0, 100, 96, 96, 7, false, 0},              // width 0: the face's own width
        {100, 0, 96, 96, 7, false, 0},              // y == 0: nothing to scale against
        {100, 100, 96, 96, 7, true, 7},             // equal sizes keep the width
        {200, 100, 96, 96, 7, true, 14},            // twice the size, twice the width
        {50, 105, 96, 96, 8, true, 3},              // 66 * 8 / 140 = 3.77, truncated
        {-100, -100, 96, 96, 7, true, 7},           // magnitudes only
        {100, 100, 120, 96, 7, true, 8},            // 166 * 7 / 133
        {100, 1, 96, 60, 7, false, 0},              // a height below one tenth of a pixel
        {INT_MAX, 2, 96, 96, 1000, true, INT_MAX},  // clamped, never overflows
    };
    for (const auto& c : cases) {
        int lfWidth = 0;
        EXPECT_EQ(CaptionWidthFromDevice(CaptionPointToDevice(c.width, c.dpiX), CaptionPointToDevice(c.height, c.dpiY),
                                         c.average, &lfWidth),
                  c.scaled)
            << c.width << "/" << c.height;
        if (c.scaled) EXPECT_EQ(lfWidth, c.lfWidth) << c.width << "/" << c.height;
    }
}

}  // namespace
}  // namespace zorv
