// The rules of ".\info\Audio.cfg", the arithmetic from a Music value to a mixer value, and
// how the volume bars move.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "audio/audio_settings.h"
#include "audio/music_volume.h"
#include "audio/volume_scroll.h"

using namespace zorv;

namespace {

// Every case starts from these values, so that a field the text does not set shows as kept.
constexpr AudioSettings kBefore = {7, 11, 22};

std::string Show(const AudioSettings& s) {
    return std::to_string(s.customFlag) + "/" + std::to_string(s.music) + "/" + std::to_string(s.sound);
}

}  // namespace

TEST(AudioFile, ReadsFlagAndUpToTwoKeyLines) {
    const std::string longPiece(255, 'x');
    const struct {
        const char* what;
        std::string text;
        AudioSettings expected;
    } cases[] = {
        {"the three lines a save writes", "1\nMusic 30\nSound 25\n", {1, 30, 25}},
        {"Sound before Music", "1\nSound 7\nMusic 44\n", {1, 44, 7}},
        {"CR LF line ends", "0\r\nMusic 30\r\nSound 5\r\n", {0, 30, 5}},
        {"no flag line: both keys still read", "Music 30\nSound 5\n", {7, 30, 5}},
        {"a fourth line is never read", "1\nMusic 30\nSound 5\nMusic 10\n", {1, 30, 5}},
        {"only two lines after the flag", "1\n# volumes\nMusic 30\nSound 5\n", {1, 30, 22}},
        {"a blank line counts as a line", "1\nMusic 30\n\nSound 5\n", {1, 30, 22}},
        {"blank lines around the flag are skipped", "\n\n  1  \n\n\t\nMusic 30\nSound 5\n", {1, 30, 5}},
        {"text after the flag on its line", "1 Music 30\nSound 5\n", {1, 30, 5}},
        {"text glued to the flag is a line", "1x\nMusic 30\nSound 5\n", {1, 30, 22}},
        {"a sign without digits is no flag", "-\nMusic 30\n", {7, 30, 22}},
        {"signed flag", "-3\nMusic 30\n", {-3, 30, 22}},
        {"lower-case keys are ignored", "1\nmusic 30\nsound 5\n", {1, 11, 22}},
        {"a key must be the whole token", "1\nMusic: 30\nSounds 5\n", {1, 11, 22}},
        {"a tab between key and value", "1\nMusic\t30\nSound\t\t5\n", {1, 30, 5}},
        {"several blanks between key and value", "1\nMusic    30\nSound \t 5\n", {1, 30, 5}},
        {"blanks before the key", "1\n \tMusic 30\nSound 5\n", {1, 30, 5}},
        {"a key given twice takes the later value", "1\nMusic 30\nMusic 40\n", {1, 40, 22}},
        {"the value is read as atoi reads it", "1\nMusic 30 loud\nSound five\n", {1, 30, 0}},
        {"out-of-range values are kept as read", "1\nMusic -5\nSound 99999999999\n", {1, -5, INT_MAX}},
        {"a key alone on its line matches nothing", "1\nMusic\nSound 5\n", {1, 11, 5}},
        {"a key and a blank give no value", "1\nMusic \nSound 5\n", {1, 11, 5}},
        {"a key and blanks give no value", "1\nMusic  \t \nSound 5\n", {1, 11, 5}},
        {"a key at the end of the file", "1\nSound 5\nMusic", {1, 11, 5}},
        {"a key and a blank at the end of the file", "1\nSound 5\nMusic ", {1, 11, 5}},
        {"a last line of blanks", "1\nSound 5\n  \t", {1, 11, 5}},
        {"a last line without a line end", "1\nSound 5\nMusic 9", {1, 9, 5}},
        {"an empty file", "", {7, 11, 22}},
        {"a flag alone", "4", {4, 11, 22}},
        {"a NUL byte ends its line", std::string("1\nMus\0ic 30\nSound 5\n", 21), {1, 11, 5}},
        {"a NUL byte in a value", std::string("1\nMusic 3\0000\n", 12), {1, 3, 22}},
        {"a long line is read in pieces of 255", "1\n" + longPiece + "Music 30\nSound 5\n", {1, 30, 22}},
    };
    for (const auto& c : cases) {
        AudioSettings settings = kBefore;
        ParseAudioText(settings, c.text);
        EXPECT_EQ(Show(settings), Show(c.expected)) << c.what;
    }
}

TEST(AudioFile, WritesThreeLinesThatReadBackAsTheyWere) {
    EXPECT_EQ(FormatAudioText({1, 30, 25}), "1\nMusic 30\nSound 25\n");
    EXPECT_EQ(FormatAudioText({0, 25, 25}), "0\nMusic 25\nSound 25\n");
    const AudioSettings records[] = {{0, 0, 0}, {1, 50, 0}, {-1, INT_MIN, INT_MAX}, {INT_MAX, 51, -1}};
    for (const AudioSettings& record : records) {
        AudioSettings read = kBefore;
        ParseAudioText(read, FormatAudioText(record));
        EXPECT_EQ(Show(read), Show(record));
    }
}

TEST(MusicVolume, LevelsCoverTenValuesEachAndOutsideValuesKeepThePrevious) {
    for (int music = 0; music <= 50; ++music) {
        const int expected = music <= 10 ? 0 : (music - 1) / 10;
        EXPECT_EQ(MusicLevel(music, 3), expected) << music;
    }
    for (int music : {-1, 51, INT_MIN, INT_MAX}) {
        EXPECT_EQ(MusicLevel(music, 3), 3) << music;
        EXPECT_EQ(MusicLevel(music, 0), 0) << music;
    }
}

TEST(MusicVolume, ControlValueIsTheBoundsSumOverTheLevelsDivisor) {
    // clang-format off
    const struct {
        uint32_t minimum, maximum;
        int level;
        uint32_t expected;
    } cases[] = {
        {0, 65535, 0, 5461}, {0, 65535, 1, 8191}, {0, 65535, 2, 16383}, {0, 65535, 3, 32767}, {0, 65535, 4, 65535},
        {0, 100, 0, 8},     // truncated, not rounded
        {0, 0, 2, 0},
        {0, 0xFFFFFFFFu, 4, 0xFFFFFFFFu}, {0, 0xFFFFFFFFu, 0, 0x15555555u},
        // The sum never wraps, and the result stays within the control's bounds.
        {0x80000000u, 0xFFFFFFFFu, 0, 0x80000000u}, {100, 200, 4, 200}, {100, 200, 1, 100}, {100, 1000, 0, 100},
        {10, 5, 4, 5}, {10, 5, 0, 5},  // bounds the wrong way round give the maximum, never something beyond it
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MixerVolumeValue(c.minimum, c.maximum, c.level), c.expected)
            << c.minimum << ".." << c.maximum << " level " << c.level;
    }
}

TEST(VolumeBars, StepsOfTenWithinTheScale) {
    // Four clicks in the trough from 25, each way.
    int left = 25, right = 25;
    std::string lefts, rights;
    for (int click = 0; click < 4; ++click) {
        left = ScrolledVolume(left, kScrollPageLeft, 0);
        right = ScrolledVolume(right, kScrollPageRight, 0);
        lefts += std::to_string(left) + " ";
        rights += std::to_string(right) + " ";
    }
    EXPECT_EQ(lefts, "15 5 0 0 ");
    EXPECT_EQ(rights, "35 45 50 50 ");

    // clang-format off
    const struct { int value, code, thumb, expected; } cases[] = {
        {25, kScrollLineLeft, 0, 15},      {25, kScrollLineRight, 0, 35},    {3, kScrollLineLeft, 0, 0},
        {47, kScrollLineRight, 0, 50},     {25, kScrollThumbTrack, 37, 37},  {25, kScrollThumbPosition, 0, 0},
        {25, kScrollThumbTrack, 65535, 50}, {25, kScrollThumbTrack, -4, 0},  {25, kScrollLeftEnd, 9, 0},
        {25, kScrollRightEnd, 9, 50},      {25, kScrollEnd, 40, 25},         {25, 99, 40, 25},
        // Values from the file beyond the scale.
        {80, kScrollLineLeft, 0, 70},      {80, kScrollLineRight, 0, 50},    {-7, kScrollPageRight, 0, 3},
        {INT_MIN, kScrollLineLeft, 0, 0},  {INT_MAX, kScrollPageRight, 0, 50}, {INT_MAX, kScrollPageLeft, 0, INT_MAX - 10},
        {INT_MIN, kScrollLineRight, 0, INT_MIN + 10}, {80, kScrollEnd, 0, 80},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ScrolledVolume(c.value, c.code, c.thumb), c.expected) << c.value << " code " << c.code;
    }
}

TEST(VolumeBars, DefaultsReplaceTheStoredValuesOnlyWithoutTheCustomFlag) {
    AudioSettings stored = {0, 40, 3};
    UseDefaultsUnlessCustom(stored);
    EXPECT_EQ(Show(stored), "0/25/25");
    AudioSettings custom = {1, 40, 3};
    UseDefaultsUnlessCustom(custom);
    EXPECT_EQ(Show(custom), "1/40/3");
    AudioSettings negative = {-1, 40, 3};
    UseDefaultsUnlessCustom(negative);
    EXPECT_EQ(Show(negative), "-1/40/3");
}
