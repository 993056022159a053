// Navigation without a mouse: the focus rules of a screen, and a game controller's readings
// turned into actions with a clock the test moves.
#include <gtest/gtest.h>

#include <vector>

#include "audio/audio_buttons.h"
#include "common/controller_input.h"
#include "graphics/focus_rules.h"
#include "howtoplay/howto_buttons.h"
#include "keys/key_buttons.h"
#include "video/video_buttons.h"

using namespace zorv;

namespace {

using A = ControllerAction;

TEST(FocusRules, EveryStepMovesAndWrapsTheFirstIncluded) {
    Focus focus{4, 0, false};
    EXPECT_EQ(StepFocus(focus, FocusStep::kNext), 1);  // the first step moves too, and shows
    EXPECT_TRUE(focus.visible);
    EXPECT_EQ(StepFocus(focus, FocusStep::kNext), 2);
    EXPECT_EQ(StepFocus(focus, FocusStep::kNext), 3);
    EXPECT_EQ(StepFocus(focus, FocusStep::kNext), 0);
    EXPECT_EQ(StepFocus(focus, FocusStep::kPrevious), 3);

    Focus none{3, -1, false};  // no stop yet: forward takes the first, back the last
    EXPECT_EQ(StepFocus(none, FocusStep::kNext), 0);
    none.index = -1;
    EXPECT_EQ(StepFocus(none, FocusStep::kPrevious), 2);
}

std::vector<int> Order(const ScreenSpec& screen) {
    FocusStop stops[kMaxFocusStops];
    const int count = FocusStops(screen, stops);
    std::vector<int> order;
    for (int i = 0; i < count; ++i) order.push_back(stops[i].isButton ? -stops[i].value - 1 : stops[i].value);
    return order;
}

// Controls as the template has them, then the buttons as they stand on the screen (a button as
// -1 - its table index): the key screen's JOYSTICK places come before DONE, RESET and CANCEL
// although its table lists them last.
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

TEST(ControllerDecoding, HatGivesTheNearestDirectionAndDiagonalsTheVerticalOne) {
    struct Case {
        unsigned hat;
        A expected;
    };
    const Case cases[] = {
        {0, A::kUp},       {4500, A::kUp},    {4501, A::kRight},       {9000, A::kRight}, {13499, A::kRight},
        {13500, A::kDown}, {18000, A::kDown}, {22500, A::kDown},       {27000, A::kLeft}, {31499, A::kLeft},
        {31500, A::kUp},   {35999, A::kUp},   {kHatCentred, A::kNone}, {36000, A::kNone},
    };
    for (const Case& c : cases) EXPECT_EQ(HatDirection(c.hat), c.expected) << c.hat;
}

TEST(ControllerDecoding, StickCountsPastHalfWayAlongTheAxisPushedFurther) {
    const StickRange full;  // 0..65535, centre 32767.5
    EXPECT_EQ(StickDirection(32767, 32767, full), A::kNone);
    EXPECT_EQ(StickDirection(16384, 32767, full), A::kNone);  // just short of half way left
    EXPECT_EQ(StickDirection(16383, 32767, full), A::kLeft);
    EXPECT_EQ(StickDirection(49151, 32767, full), A::kNone);
    EXPECT_EQ(StickDirection(49152, 32767, full), A::kRight);
    EXPECT_EQ(StickDirection(32767, 0, full), A::kUp);
    EXPECT_EQ(StickDirection(32767, 65535, full), A::kDown);
    EXPECT_EQ(StickDirection(0, 10000, full), A::kLeft);  // both past: the further one
    EXPECT_EQ(StickDirection(10000, 65535, full), A::kDown);

    const StickRange narrow{100, 200, 0, 1000};  // each axis against its own range
    EXPECT_EQ(StickDirection(176, 500, narrow), A::kRight);
    EXPECT_EQ(StickDirection(150, 760, narrow), A::kDown);
    EXPECT_EQ(StickDirection(150, 500, StickRange{0, 0, 0, 0}), A::kNone);  // no range: no stick

    ControllerReading both;
    both.hat = 27000;
    both.y = 65535;
    EXPECT_EQ(ReadingDirection(both, full), A::kLeft);  // the hat before the stick
    both.hat = kHatCentred;
    EXPECT_EQ(ReadingDirection(both, full), A::kDown);
}

// The actions of a run of readings, one per reading, at the given times.
struct Step {
    unsigned now;
    unsigned buttons;
    unsigned hat;
    A expected;
};

void Play(ControllerInput& input, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        ControllerReading r;
        r.buttons = s.buttons;
        r.hat = s.hat;
        r.x = r.y = 32767;
        EXPECT_EQ(input.Update(r, s.now), s.expected) << "at " << s.now;
    }
}

constexpr unsigned C = kHatCentred;

TEST(ControllerInput, ButtonsActOnceOnTheirPressBothInTurn) {
    ControllerInput input;
    input.Restart(ControllerReading{}, StickRange{});
    Play(input, {
                    {0, 1, C, A::kActivate},
                    {500, 1, C, A::kNone},  // held: no repeat
                    {600, 0, C, A::kNone},
                    {700, 2, C, A::kBack},
                    {800, 3, C, A::kActivate},  // 1 pressed while 2 is held
                    {900, 0, C, A::kNone},
                    {1000, 3, C, A::kActivate},  // pressed together: one per reading
                    {1001, 3, C, A::kBack},
                    {1002, 3, C, A::kNone},
                    {1003, 4, C, A::kNone},  // button 3 means nothing
                });
}

TEST(ControllerInput, HeldDirectionRepeatsAfter400ThenEvery120) {
    ControllerInput input;
    input.Restart(ControllerReading{}, StickRange{});
    Play(input, {
                    {1000, 0, 18000, A::kDown},
                    {1399, 0, 18000, A::kNone},
                    {1400, 0, 18000, A::kDown},
                    {1519, 0, 18000, A::kNone},
                    {1520, 0, 18000, A::kDown},
                    {1640, 0, 18000, A::kDown},
                    {1700, 0, 0, A::kUp},  // another direction is a new press, with its own delay
                    {2099, 0, 0, A::kNone},
                    {2100, 0, 0, A::kUp},
                    {2150, 0, C, A::kNone},
                    {2160, 0, 0, A::kUp},
                });
    // Across the tick counter's wrap.
    ControllerInput wrapped;
    wrapped.Restart(ControllerReading{}, StickRange{});
    Play(wrapped, {
                      {0xFFFFFF00u, 0, 9000, A::kRight},
                      {0xFFFFFF00u + 399, 0, 9000, A::kNone},
                      {0xFFFFFF00u + 400, 0, 9000, A::kRight},
                  });
}

TEST(ControllerInput, WhatIsHeldAtARestartCountsOnlyAfterItsRelease) {
    ControllerInput input;
    ControllerReading held;
    held.buttons = 3;
    held.hat = 9000;
    input.Restart(held, StickRange{});
    Play(input, {
                    {0, 3, 9000, A::kNone},
                    {1000, 3, 9000, A::kNone},   // no repeat of a blocked direction either
                    {1100, 1, 18000, A::kDown},  // a new direction acts at once
                    {1200, 0, C, A::kNone},
                    {1300, 1, C, A::kActivate},
                });
    // A button taken but not handed out is forgotten at a restart.
    input.Update(ControllerReading{}, 1400);
    ControllerReading both;
    both.buttons = 3;
    EXPECT_EQ(input.Update(both, 1500), A::kActivate);
    input.Restart(both, StickRange{});
    EXPECT_EQ(input.Update(both, 1600), A::kNone);
}

}  // namespace
