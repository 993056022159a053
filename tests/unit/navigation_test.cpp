// Navigation without a mouse: the focus rules of a screen, and a game controller's readings
// turned into actions with a clock the test moves.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "audio/audio_buttons.h"
#include "graphics/focus_rules.h"
#include "howtoplay/howto_buttons.h"
#include "input/controller_input.h"
#include "keys/key_buttons.h"
#include "menus/menu_buttons.h"
#include "video/video_buttons.h"

using namespace zorv;

namespace {

using A = ControllerAction;
constexpr unsigned C = kHatCentred;
constexpr FocusStep kNext = FocusStep::kNext, kBack = FocusStep::kPrevious;
constexpr unsigned VK_RETURN_CODE = 0x0D;

// Every step moves, wraps and shows the focus, the first included; with no stop yet (-1)
// forward takes the first, back the last.
TEST(FocusRules, EveryStepMovesAndWrapsTheFirstIncluded) {
    const std::tuple<int, int, FocusStep, int> cases[] = {{4, 0, kNext, 1}, {4, 1, kNext, 2}, {4, 2, kNext, 3},
                                                          {4, 3, kNext, 0}, {4, 0, kBack, 3}, {3, -1, kNext, 0},
                                                          {3, -1, kBack, 2}};
    for (auto [count, from, step, to] : cases) {
        Focus focus{count, from, false};
        EXPECT_EQ(StepFocus(focus, step), to) << from;
        EXPECT_TRUE(focus.visible && focus.index == to) << from;
    }
}

// The stops, a button as -1 - its table index.
std::vector<int> Order(const ScreenSpec& screen) {
    FocusStop stops[kMaxFocusStops];
    std::vector<int> order;
    for (int i = 0, n = FocusStops(screen, stops); i < n; ++i)
        order.push_back(stops[i].isButton ? -stops[i].value - 1 : stops[i].value);
    return order;
}

// Controls as the template has them, then the buttons as they stand on the screen: the key
// screen's JOYSTICK places come before DONE, RESET and CANCEL although its table lists them last.
TEST(FocusRules, SettingsScreensTakeControlsThenButtonsAsTheyStand) {
    EXPECT_EQ(Order(kAudioScreen), (std::vector<int>{IDC_AUDIO_MUSIC, IDC_AUDIO_SOUND, -1, -2}));
    EXPECT_EQ(Order(kVideoScreen), (std::vector<int>{IDC_VIDEO_DRIVERS, IDC_VIDEO_MODES, IDC_VIDEO_LEVEL, -1, -2}));
    EXPECT_EQ(Order(kHowToPlayScreen), (std::vector<int>{-1, -2, -3}));
    std::vector<int> keys;
    for (int slot = 0; slot < kKeyFieldCount; ++slot) keys.push_back(IDC_KEY_FIRST + slot);
    for (int index : {kJoystickLeftIndex, kJoystickRightIndex, 0, 1, 2}) keys.push_back(-index - 1);
    EXPECT_EQ(Order(kKeyScreen), keys);

    FocusStop stops[kMaxFocusStops];
    const int count = FocusStops(kAudioScreen, stops);
    EXPECT_EQ(FindStop(stops, count, true, 1), 3);
    EXPECT_EQ(FindStop(stops, count, false, IDC_AUDIO_SOUND), 1);
    EXPECT_EQ(FindStop(stops, count, false, IDC_VIDEO_LEVEL), -1);
}

// The arrows lead to the nearest button lying that way, or nowhere: the main menu's map, as the
// README gives it, and the options menu's column. From no focus yet, the first button.
TEST(FocusRules, ArrowsLeadToTheNearestButtonThatWay) {
    enum { S, N, O, Q };  // START GAME, NETWORK GAME, OPTION, QUIT, in the table's order
    const int map[4][4] = {/* left, right, up, down */ {N, Q, S, O}, {N, S, N, O}, {N, O, Q, O}, {S, Q, Q, O}};
    const Direction ways[] = {Direction::kLeft, Direction::kRight, Direction::kUp, Direction::kDown};
    for (int from = 0; from < 4; ++from) {
        for (int way = 0; way < 4; ++way)
            EXPECT_EQ(NearestButton(kMainMenuTable, from, ways[way]), map[from][way]) << from << " " << way;
    }
    EXPECT_EQ(NearestButton(kMainMenuTable, -1, Direction::kUp), S);
    EXPECT_EQ(NearestButton(kOptionsMenuTable, 0, Direction::kDown), 1);
    EXPECT_EQ(NearestButton(kOptionsMenuTable, 4, Direction::kUp), 3);
    EXPECT_EQ(NearestButton(kOptionsMenuTable, 0, Direction::kUp), 0);
    EXPECT_EQ(NearestButton(kOptionsMenuTable, 2, Direction::kRight), 2);
}

// A key already down when the screen appeared: neither its repeats nor its release count, its
// next press does. A hidden focus shows where it is, or on the first stop.
TEST(FocusRules, HeldKeysCountAfterTheirReleaseAndAHiddenFocusOnlyShows) {
    KeyPresses keys;
    EXPECT_FALSE(keys.Down(VK_RETURN_CODE, true));
    EXPECT_FALSE(keys.Up(VK_RETURN_CODE));
    EXPECT_TRUE(keys.Down(VK_RETURN_CODE, false));
    EXPECT_TRUE(keys.Down(VK_RETURN_CODE, true));
    keys.Restart();
    EXPECT_FALSE(keys.Up(VK_RETURN_CODE));
    EXPECT_FALSE(keys.Down(999, false));
    Focus none = NewFocus(3), kept{3, 2, false};
    EXPECT_EQ(RevealFocus(none), 0);
    EXPECT_EQ(RevealFocus(kept), 2);
    EXPECT_TRUE(none.visible && kept.visible);
}

TEST(ControllerDecoding, HatGivesTheNearestDirectionAndDiagonalsTheVerticalOne) {
    const std::pair<unsigned, A> cases[] = {
        {0, A::kUp},       {4500, A::kUp},    {4501, A::kRight},       {9000, A::kRight}, {13499, A::kRight},
        {13500, A::kDown}, {18000, A::kDown}, {22500, A::kDown},       {27000, A::kLeft}, {31499, A::kLeft},
        {31500, A::kUp},   {35999, A::kUp},   {kHatCentred, A::kNone}, {36000, A::kNone}};
    for (auto [hat, expected] : cases) EXPECT_EQ(HatDirection(hat), expected) << hat;
}

// Half way from the centre (32767.5 in the full range) to an edge, each axis against its own
// range; with both past it, the further one; no range, no stick. The hat comes before the stick.
TEST(ControllerDecoding, StickCountsPastHalfWayAlongTheAxisPushedFurther) {
    const StickRange full, narrow{100, 200, 0, 1000}, none{0, 0, 0, 0};
    const std::tuple<unsigned, unsigned, StickRange, A> cases[] = {
        {32767, 32767, full, A::kNone}, {16384, 32767, full, A::kNone},  {16383, 32767, full, A::kLeft},
        {49151, 32767, full, A::kNone}, {49152, 32767, full, A::kRight}, {32767, 0, full, A::kUp},
        {32767, 65535, full, A::kDown}, {0, 10000, full, A::kLeft},      {10000, 65535, full, A::kDown},
        {176, 500, narrow, A::kRight},  {150, 760, narrow, A::kDown},    {150, 500, none, A::kNone}};
    for (auto [x, y, range, expected] : cases) EXPECT_EQ(StickDirection(x, y, range), expected) << x << ", " << y;
    EXPECT_EQ(ReadingDirection(ControllerReading{0, 27000, 0, 65535}, full), A::kLeft);
    EXPECT_EQ(ReadingDirection(ControllerReading{0, C, 0, 65535}, full), A::kDown);
}

// A run of readings {time, buttons, hat, action}, the stick centred, into an input restarted
// from `held`: each reading at its time gives its action.
using Step = std::tuple<unsigned, unsigned, unsigned, A>;

template <size_t N>
ControllerInput Play(const Step (&steps)[N], const ControllerReading& held = {}) {
    ControllerInput input;
    input.Restart(held, StickRange{});
    for (auto [now, buttons, hat, expected] : steps)
        EXPECT_EQ(input.Update(ControllerReading{buttons, hat, 32767, 32767}, now), expected) << now;
    return input;
}

// Held at 500: no repeat; at 800 button 1 is pressed while 2 is held; at 1000 both are pressed
// together and come out one per reading; button 3 means nothing.
TEST(ControllerInput, ButtonsActOnceOnTheirPressBothInTurn) {
    const Step run[] = {{0, 1, C, A::kActivate},    {500, 1, C, A::kNone},     {600, 0, C, A::kNone},
                        {700, 2, C, A::kBack},      {800, 3, C, A::kActivate}, {900, 0, C, A::kNone},
                        {1000, 3, C, A::kActivate}, {1001, 3, C, A::kBack},    {1002, 3, C, A::kNone},
                        {1003, 4, C, A::kNone}};
    Play(run);
}

// Another direction (at 1700) is a new press, with its own delay; so is one taken up again (2160).
// The tick counter may wrap meanwhile.
TEST(ControllerInput, HeldDirectionRepeatsAfter400ThenEvery120) {
    const Step run[] = {{1000, 0, 18000, A::kDown}, {1399, 0, 18000, A::kNone}, {1400, 0, 18000, A::kDown},
                        {1519, 0, 18000, A::kNone}, {1520, 0, 18000, A::kDown}, {1640, 0, 18000, A::kDown},
                        {1700, 0, 0, A::kUp},       {2099, 0, 0, A::kNone},     {2100, 0, 0, A::kUp},
                        {2150, 0, C, A::kNone},     {2160, 0, 0, A::kUp}};
    constexpr unsigned W = 0xFFFFFF00u;  // 256 ms before the tick counter wraps
    const Step wrapped[] = {{W, 0, 9000, A::kRight}, {W + 399, 0, 9000, A::kNone}, {W + 400, 0, 9000, A::kRight}};
    Play(run);
    Play(wrapped);
}

// Held buttons and direction give nothing, no repeat either, until released; a new direction
// (at 1100) acts at once. A button taken but not handed out is forgotten at a restart.
TEST(ControllerInput, WhatIsHeldAtARestartCountsOnlyAfterItsRelease) {
    const Step run[] = {{0, 3, 9000, A::kNone},
                        {1000, 3, 9000, A::kNone},
                        {1100, 1, 18000, A::kDown},
                        {1200, 0, C, A::kNone},
                        {1300, 1, C, A::kActivate}};
    ControllerInput input = Play(run, ControllerReading{3, 9000});
    const ControllerReading both{3};
    input.Update(ControllerReading{}, 1400);
    EXPECT_EQ(input.Update(both, 1500), A::kActivate);
    input.Restart(both, StickRange{});
    EXPECT_EQ(input.Update(both, 1600), A::kNone);
}

}  // namespace
