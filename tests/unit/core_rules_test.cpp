// Geometry of the menu window, the settings-file reading rules, and the first-run flag text.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "graphics/geometry.h"
#include "settings/first_run_flag.h"
#include "settings/safe_save.h"
#include "settings/text_config.h"

using namespace zorv;

TEST(MenuGeometry, CentredOnEveryScreenSize) {
    // clang-format off
    struct Case { int w, h, x, y; } cases[] = {
        {640, 480, 0, 0}, {800, 600, 80, 60}, {1024, 768, 192, 144}, {1280, 1024, 320, 272},
        {641, 481, 0, 0},      // odd sizes truncate
        {320, 200, -160, -140}  // smaller than the menu: it hangs over the top left
    };
    // clang-format on
    for (const Case& c : cases) {
        MenuPlacement p = CentreMenu(0, 0, c.w, c.h);
        EXPECT_EQ(p.x, c.x) << c.w << "x" << c.h;
        EXPECT_EQ(p.y, c.y) << c.w << "x" << c.h;
        EXPECT_EQ(p.width, 640);
        EXPECT_EQ(p.height, 480);
    }
    // Division truncates toward zero, not down.
    EXPECT_EQ(CentreMenu(-3, 0, 0, 0).centreX, -1);
    EXPECT_EQ(CentreMenu(0, 0, INT_MAX, INT_MAX).centreX, INT_MAX / 2);
}

TEST(TextConfig, NumbersConvertAsAtoiDoesWithoutOverflow) {
    // clang-format off
    struct Case { const char* text; int value; bool digits; } cases[] = {
        {"0", 0, true},        {"  \t42\n", 42, true}, {"-7", -7, true},     {"+3", 3, true},
        {"1abc", 1, true},     {"abc", 0, false},      {"", 0, false},       {"- 5", 0, false},
        {"99999999999", INT_MAX, true}, {"-99999999999", INT_MIN, true}, {"2147483648", INT_MAX, true},
        {"-2147483648", INT_MIN, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        int v = 123;
        EXPECT_EQ(ParseLeadingInt(c.text, &v), c.digits) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(AtoiLike(c.text), c.value) << c.text;
    }
}

TEST(TextConfig, LinesComeInPiecesOf255AndTokensSplitAtBlanks) {
    std::string longLine(600, 'x');
    std::vector<std::string> lines = SplitConfigLines("a b\n" + longLine + "\nlast");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "a b\n");
    EXPECT_EQ(lines[1].size(), 255u);
    EXPECT_EQ(lines[2].size(), 255u);
    EXPECT_EQ(lines[3], std::string(90, 'x') + "\n");
    EXPECT_EQ(lines[4], "last");
    EXPECT_TRUE(SplitConfigLines("").empty());

    size_t end = 0;
    EXPECT_EQ(FirstToken(" \t#1p-Up 17\n", &end), "#1p-Up");
    EXPECT_EQ(end, 8u);
    EXPECT_EQ(FirstToken("Music\n", &end), "Music");
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(FirstToken(" \t \n", &end), "");
}

TEST(TextConfig, ScansStopWhereFormattedInputStopsAndTextsFoldAndCutAsReadsDo) {
    // Where "%d" and "%d\n" leave the text, taken and refused.
    // clang-format off
    struct Case { const char* text; bool line; bool taken; int value; size_t at; } cases[] = {
        {" 12 \n x", false, true, 12, 3}, {" 12 \n x", true, true, 12, 6}, {" \t-0\n", true, true, 0, 5},
        {"  x7", false, false, -1, 2},    {"  + 7", true, false, -1, 2},  {"", true, false, -1, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        size_t at = 0;
        int value = -1;
        EXPECT_EQ(c.line ? ScanIntLine(c.text, &at, &value) : ScanInt(c.text, &at, &value), c.taken) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(at, c.at) << c.text;
    }
    EXPECT_EQ(TextModeRead("a\r\nb\rc\r\r\n\r"), "a\nb\rc\r\n\r") << "only CR LF folds";
    char field[4];
    CopyCut(field, "abcdef");
    EXPECT_STREQ(field, "abc");
    CopyCut(field, "");
    EXPECT_STREQ(field, "");
}

TEST(FirstRunFlag, FileTextKeepsOrReplacesTheValue) {
    // clang-format off
    struct Case { const char* text; int before; int after; } cases[] = {
        {"0\r\n", 5, 0}, {"7\n", 0, 7}, {"", 0, 0}, {"abc", 3, 3}, {"  1  ", 0, 1}, {"-2", 0, -2},
    };
    // clang-format on
    for (const Case& c : cases) {
        int v = c.before;
        ParseFirstRunFlag(c.text, &v);
        EXPECT_EQ(v, c.after) << '"' << c.text << '"';
    }
}

TEST(SafeSave, OneTemporaryNamePerFileNoLongerThanItAndTextModeBytes) {
    // clang-format off
    struct Case { const char* path; const char* temp; } cases[] = {
        {"C:\\Game\\info\\Audio.cfg", "C:\\Game\\info\\Audio.cf~"},
        {"C:\\Game\\Info\\InitFlag.flg", "C:\\Game\\Info\\InitFlag.fl~"},
        {"C:\\Game\\Info\\odd~", "C:\\Game\\Info\\odd$"},
        {"", "~"},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(SaveTempPath(c.path), c.temp) << c.path;
    EXPECT_EQ(TextModeBytes("0\nMusic 25\n\nx"), "0\r\nMusic 25\r\n\r\nx");
    EXPECT_EQ(TextModeBytes(""), "");
}
