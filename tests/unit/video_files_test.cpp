#include "video/video_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace zorv {
namespace {

// Text as a text-mode write leaves it on disk.
std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char kFourDriversThreeModes[] =
    "4\n"
    "#D Default\n#N Driver name 0\n"
    "#D DirA\n#N Driver name 1\n"
    "#D DirB\n#N Driver name 2\n"
    "#D DirC\n#N Driver name 3\n"
    "3\n"
    "640 480 16\n"
    "800 600 16\n"
    "1024 768 16\n"
    "Label of the last mode\n";

std::string Entries(int drivers, int modes) {
    std::string text = std::to_string(drivers) + "\n";
    for (int i = 0; i < drivers; ++i) text += "#D Dir" + std::to_string(i) + "\n#N Name " + std::to_string(i) + "\n";
    text += std::to_string(modes) + "\n";
    for (int m = 0; m < modes; ++m) text += std::to_string(100 + m) + " " + std::to_string(200 + m) + " 16\n";
    return text + "Last label\n";
}

TEST(VideoSettingsFile, ReadsFourNumbersAndKeepsWhatIsMissing) {
    const struct {
        const char* what;
        std::string text;
        VideoSettings expected;
    } cases[] = {
        {"defaults with a stored level", "0\n0\n0\n80\n", {0, 0, 0, 80}},
        {"a stored choice", "1\n0\n2\n30\n", {1, 0, 2, 30}},
        {"CR LF line ends", Crlf("1\n3\n0\n70\n"), {1, 3, 0, 70}},
        {"blanks and empty lines between", "  1 \n\n\t2\n  3   4", {1, 2, 3, 4}},
        {"negative and saturated values", "-1\n99999999999\n-99999999999\n+5\n", {-1, INT_MAX, INT_MIN, 5}},
        {"stops at the first value that is not a number", "1\n2\nx\n4\n", {1, 2, 7, 7}},
        {"a short file keeps the rest", "1\n", {1, 7, 7, 7}},
        {"an empty file changes nothing", "", {7, 7, 7, 7}},
        {"digits glued to text", "1abc\n", {1, 7, 7, 7}},
    };
    for (const auto& c : cases) {
        VideoSettings s{7, 7, 7, 7};
        ParseVideoSettings(c.text, &s);
        EXPECT_EQ(s.customFlag, c.expected.customFlag) << c.what;
        EXPECT_EQ(s.driverIndex, c.expected.driverIndex) << c.what;
        EXPECT_EQ(s.modeIndex, c.expected.modeIndex) << c.what;
        EXPECT_EQ(s.level, c.expected.level) << c.what;
    }
    EXPECT_EQ(FormatVideoSettings(VideoSettings{0, 0, 0, 80}), "0\n0\n0\n80\n");
    EXPECT_EQ(FormatVideoSettings(VideoSettings{1, -4, INT_MIN, INT_MAX}), "1\n-4\n-2147483648\n2147483647\n");
}

TEST(DriverListFile, ReadsDriversModesAndLabelByTheFileRules) {
    for (const std::string& text : {std::string(kFourDriversThreeModes), Crlf(kFourDriversThreeModes)}) {
        DriverList list;
        ParseDriverList(text, &list);
        ASSERT_EQ(list.driverCount, 4);
        EXPECT_STREQ(list.directories[0], "Default");
        EXPECT_STREQ(list.directories[2], "DirB");
        EXPECT_STREQ(list.names[3], "Driver name 3");
        ASSERT_EQ(list.modeCount, 3);
        EXPECT_EQ(list.widths[2], 1024);
        EXPECT_EQ(list.heights[2], 768);
        EXPECT_EQ(list.depths[2], 16);
        EXPECT_STREQ(list.lastModeLabel, "Label of the last mode");
    }

    const struct {
        const char* what;
        std::string text;
        const char* directory;  // of driver 0
        const char* name;
    } lines[] = {
        {"only the first blank after the marker is dropped", "1\n#D  Spaced\n#N \tTabbed\n", " Spaced", "\tTabbed"},
        {"a tab ends the marker too", "1\n#D\tDir\n#N\tName\n", "Dir", "Name"},
        {"blanks before the marker", "1\n  #D Dir\n\t#N Name\n", "Dir", "Name"},
        {"a marker with nothing after it empties the entry", "1\n#D\n#N\n", "", ""},
        {"a marker at the end of the file", "1\n#D Dir\n#N", "Dir", ""},
        {"a lone CR stays in the name", "1\n#D Dir\n#N a\rb\n", "Dir", "a\rb"},
        {"a wrong marker keeps the old text", "1\n#N Dir\n#D Name\n", "old dir", "old name"},
        {"markers compare case-sensitively", "1\n#d Dir\n#n Name\n", "old dir", "old name"},
        {"a marker glued to its text is no marker", "1\n#DDir\n#NName\n", "old dir", "old name"},
        {"a blank line in place of a marker", "1\n#D Dir\n\n#N Name\n", "Dir", "old name"},
        {"text after a NUL byte is not part of the line", std::string("1\n#D Di\0r\n#N N\n", 15), "Di", "N"},
    };
    for (const auto& c : lines) {
        DriverList list;
        std::strcpy(list.directories[0], "old dir");
        std::strcpy(list.names[0], "old name");
        ParseDriverList(c.text, &list);
        EXPECT_EQ(list.driverCount, 1) << c.what;
        EXPECT_STREQ(list.directories[0], c.directory) << c.what;
        EXPECT_STREQ(list.names[0], c.name) << c.what;
    }

    // The label keeps its text when the file ends before it; white space before it is skipped.
    DriverList list;
    std::strcpy(list.lastModeLabel, "kept");
    ParseDriverList("0\n1\n640 480 16\n", &list);
    EXPECT_STREQ(list.lastModeLabel, "kept");
    ParseDriverList("0\n1\n640 480 16\n\n   Label\n", &list);
    EXPECT_STREQ(list.lastModeLabel, "Label");
}

TEST(DriverListFile, KeepsWithinItsTablesWhateverTheFileSays) {
    // More drivers and modes than the tables hold: the rest is read past, so the modes and the
    // label after them are still found.
    DriverList big;
    ParseDriverList(Entries(25, 12), &big);
    EXPECT_EQ(big.driverCount, kMaxDrivers);
    EXPECT_STREQ(big.directories[19], "Dir19");
    EXPECT_STREQ(big.names[19], "Name 19");
    EXPECT_EQ(big.modeCount, kMaxModes);
    EXPECT_EQ(big.widths[9], 109);
    EXPECT_STREQ(big.lastModeLabel, "Last label");

    const struct {
        const char* what;
        std::string text;
        int drivers;
        int modes;
        const char* label;
    } cases[] = {
        {"negative counts", "-3\n-1\nLabel\n", 0, 0, "Label"},
        {"a huge driver count with two entries", "2147483647\n#D A\n#N A\n#D B\n#N B\n", 2, 0, ""},
        {"a count beyond 32 bits", "99999999999999\n#D A\n#N A\n", 1, 0, ""},
        {"a huge mode count with two modes", "0\n2147483647\n1 2 3\n4 5 6\nLabel\n", 0, 2, "Label"},
        {"a mode line that breaks off", "0\n3\n1 2 3\n4 5 x\n", 0, 1, "x"},
        {"counts that are not numbers", "abc\n#D A\n", 0, 0, "abc"},
        {"a #N line missing at the end", "2\n#D A\n#N A\n#D B\n", 2, 0, ""},
        {"an empty file", "", 0, 0, ""},
    };
    for (const auto& c : cases) {
        DriverList list;
        ParseDriverList(c.text, &list);
        EXPECT_EQ(list.driverCount, c.drivers) << c.what;
        EXPECT_EQ(list.modeCount, c.modes) << c.what;
        EXPECT_STREQ(list.lastModeLabel, c.label) << c.what;
    }

    // Over-long texts are cut to their fields; a line longer than 255 characters arrives in
    // pieces, the second of which stands in for the next line.
    DriverList cut;
    const std::string longName(300, 'n');
    ParseDriverList(
        "2\n#D " + std::string(120, 'd') + "\n#N " + std::string(60, 'm') + "\n#D B\n#N " + longName + "\n0\n", &cut);
    EXPECT_EQ(std::strlen(cut.directories[0]), kDriverDirectorySize - 1);
    EXPECT_EQ(std::strlen(cut.names[0]), kDriverNameSize - 1);
    EXPECT_EQ(std::strlen(cut.names[1]), kDriverNameSize - 1);
    EXPECT_EQ(cut.modeCount, 0) << "the rest of the long line is not a mode count";
    EXPECT_EQ(std::string(cut.lastModeLabel), std::string(300 - 252, 'n'));
    ParseDriverList("0\n0\n" + std::string(80, 'l') + "\n", &cut);
    EXPECT_EQ(std::strlen(cut.lastModeLabel), kModeLabelSize - 1);
}

TEST(ModeList, HoldsTheLabelsForEachKindOfDriver) {
    EXPECT_EQ(FormatModeLabel(640, 480, 16), "640 X 480  16");
    EXPECT_EQ(FormatModeLabel(INT_MIN, INT_MIN, INT_MIN), "-2147483648 X -2147483648  -2147483648");

    DriverList list;
    ParseDriverList(kFourDriversThreeModes, &list);
    const std::vector<std::string> all = {"640 X 480  16", "800 X 600  16", "Label of the last mode"};
    for (int driver : {0, 4, 19, -1}) EXPECT_EQ(FillModeLabels(&list, driver), all) << driver;
    for (int driver : {1, 2, 3}) {
        EXPECT_EQ(FillModeLabels(&list, driver), std::vector<std::string>{"640 X 480  16"}) << driver;
        EXPECT_STREQ(list.modeLabels[0], "640 X 480  16");
    }
    FillModeLabels(&list, 0);
    EXPECT_STREQ(list.modeLabels[2], "Label of the last mode") << "kept at the entry's position";

    // One mode, or none: the label alone. An empty label shows the last mode's numbers.
    const struct {
        std::string text;
        int driver;
        std::vector<std::string> entries;
    } cases[] = {
        {"0\n1\n800 600 32\nOnly\n", 0, {"Only"}},
        {"0\n1\n800 600 32\nOnly\n", 2, {"800 X 600  32"}},
        {"0\n0\nNothing\n", 0, {"Nothing"}},
        {"0\n0\nNothing\n", 1, {"Nothing"}},
        {"0\n2\n640 480 16\n800 600 32\n", 0, {"640 X 480  16", "800 X 600  32"}},
    };
    for (const auto& c : cases) {
        DriverList fresh;
        ParseDriverList(c.text, &fresh);
        EXPECT_EQ(FillModeLabels(&fresh, c.driver), c.entries) << c.text;
    }
    DriverList full;
    ParseDriverList(Entries(0, 10), &full);
    EXPECT_EQ(FillModeLabels(&full, 0).size(), 10u);
    EXPECT_STREQ(full.modeLabels[9], "Last label");
}

TEST(VideoDialogRules, SelectionShownFollowsTheCustomFlag) {
    const struct {
        VideoSettings settings;
        VideoSelection shown;
    } cases[] = {
        {{0, 0, 0, 80}, {50, 0, 0}}, {{0, 5, 3, 10}, {50, 0, 0}},   {{1, 0, 2, 30}, {30, 0, 2}},
        {{1, 2, 2, 30}, {30, 2, 0}}, {{7, 4, 1, 100}, {100, 4, 1}}, {{1, 25, 11, -5}, {-5, 25, 11}},
    };
    for (const auto& c : cases) {
        VideoSelection shown = SelectionToShow(c.settings);
        EXPECT_EQ(shown.bar, c.shown.bar);
        EXPECT_EQ(shown.driver, c.shown.driver);
        EXPECT_EQ(shown.mode, c.shown.mode);
    }

    // Once the player changes something, what was on show is what is stored.
    VideoSettings defaults{0, 3, 1, 80};
    AdoptShownChoice(&defaults);
    EXPECT_EQ(defaults.customFlag, 1);
    EXPECT_EQ(defaults.level, 50);
    EXPECT_EQ(defaults.driverIndex, 3);
    VideoSettings stored{1, 3, 1, 80};
    AdoptShownChoice(&stored);
    EXPECT_EQ(stored.level, 80);
    EXPECT_EQ(stored.customFlag, 1);

    EXPECT_FALSE(IsLocalDriver(0));
    EXPECT_TRUE(IsLocalDriver(1) && IsLocalDriver(3));
    EXPECT_FALSE(IsLocalDriver(4));
    EXPECT_FALSE(IsSystemInstalledDriver(0) || IsSystemInstalledDriver(3) || IsSystemInstalledDriver(-1));
    EXPECT_TRUE(IsSystemInstalledDriver(4) && IsSystemInstalledDriver(19));
}

TEST(VideoDialogRules, LevelMovesInStepsAndStopsAtTheEnds) {
    auto clicks = [](int level, int code, int times) {
        std::vector<int> seen;
        for (int i = 0; i < times; ++i) seen.push_back(level = NextCalibrationLevel(level, code, 0));
        return seen;
    };
    EXPECT_EQ(clicks(50, kScrollPageLeft, 4), (std::vector<int>{40, 30, 20, 10}));
    EXPECT_EQ(clicks(80, kScrollPageRight, 4), (std::vector<int>{90, 100, 100, 100}));
    EXPECT_EQ(clicks(15, kScrollLineLeft, 2), (std::vector<int>{5, 0}));
    EXPECT_EQ(clicks(95, kScrollLineRight, 1), (std::vector<int>{100}));

    const struct {
        int level, code, position, expected;
    } cases[] = {
        {50, kScrollThumbTrack, 73, 73},     {50, kScrollThumbPosition, 12, 12},
        {50, kScrollThumbTrack, 0xFFFF, 0},  {50, kScrollThumbTrack, 500, 100},
        {50, kScrollLeftEnd, 0, 0},          {50, kScrollRightEnd, 0, 100},
        {50, 8 /* end of scroll */, 99, 50}, {50, 1000, 0, 50},
        {150, kScrollLineLeft, 0, 140},      {150, kScrollLineRight, 0, 100},
        {INT_MIN, kScrollLineLeft, 0, 0},    {INT_MAX, kScrollLineRight, 0, 100},
        {-20, kScrollLineRight, 0, -10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextCalibrationLevel(c.level, c.code, c.position), c.expected) << c.level << " " << c.code;
}

}  // namespace
}  // namespace zorv
