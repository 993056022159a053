// The image-button rules: hit tests in table order, entering and leaving, the pending command.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/button_rules.h"
#include "menus/menu_buttons.h"

using namespace zorv;

namespace {

// Two buttons that touch: the first's right edge is the second's left edge.
constexpr ButtonSpec kTouching[] = {
    {1, 601, 0, 0, 0, {10, 10, 20, 20}, 10, 10, "A", 0, true},
    {2, 602, 0, 0, 0, {20, 10, 30, 20}, 10, 10, "B", 0, true},
};

std::vector<HoverChange> Move(ButtonBoard& board, int x, int y) {
    HoverChange changes[kMaxScreenButtons];
    int changed = TrackPointer(board, x, y, changes);
    std::vector<HoverChange> out(changes, changes + board.table.count);
    int counted = 0;
    for (HoverChange c : out) counted += c != HoverChange::kNone;
    EXPECT_EQ(changed, counted);
    return out;
}

using H = HoverChange;

TEST(ButtonRules, HoverEntersOnceAndHandsOverInOneMove) {
    ButtonBoard board = MakeButtonBoard(MakeButtonTable(kTouching));
    EXPECT_EQ(Move(board, 5, 5), (std::vector<H>{H::kNone, H::kNone}));
    EXPECT_EQ(Move(board, 10, 10), (std::vector<H>{H::kEntered, H::kNone}));  // top-left corner is inside
    EXPECT_EQ(Move(board, 15, 15), (std::vector<H>{H::kNone, H::kNone}));     // moving within: nothing
    EXPECT_EQ(Move(board, 20, 15), (std::vector<H>{H::kLeft, H::kEntered}));  // the right edge belongs to the next
    EXPECT_EQ(Move(board, 25, 20), (std::vector<H>{H::kNone, H::kLeft}));     // the bottom edge is outside
    EXPECT_FALSE(board.hover[0] || board.hover[1]);
}

TEST(ButtonRules, PressTakesTheFirstHitAndLeavesHoverAlone) {
    constexpr ButtonSpec overlapping[] = {
        {1, 601, 0, 0, 0, {0, 0, 50, 50}, 50, 50, "A", 0, true},
        {2, 602, 0, 0, 0, {10, 10, 20, 20}, 10, 10, "B", 0, true},
    };
    ButtonBoard board = MakeButtonBoard(MakeButtonTable(overlapping));
    Move(board, 15, 15);
    EXPECT_EQ(PressAt(board, 15, 15), 0);
    EXPECT_EQ(TakePendingCommand(board), 601);
    EXPECT_EQ(TakePendingCommand(board), 0);  // idle again after the dispatch
    EXPECT_TRUE(board.hover[0] && board.hover[1]);

    EXPECT_EQ(PressAt(board, 60, 60), -1);
    EXPECT_EQ(TakePendingCommand(board), 0);  // a miss dispatches 0
}

// A button pressed from the keyboard or a controller, by its index, acts as a click on it does;
// a freed screen's buttons take neither until they are placed again.
TEST(ButtonRules, ClearedButtonsTakeNoHitNorPressUntilPlacedAgain) {
    ButtonBoard board = MakeButtonBoard(kOptionsMenuTable);
    const ButtonRect audio = kOptionsMenuButtons[1].hot;
    const int close = ButtonIndexOf(kOptionsMenuTable, kCommandClose);
    EXPECT_EQ(close, 4);
    EXPECT_EQ(ButtonIndexOf(kOptionsMenuTable, kCommandQuit), -1);
    EXPECT_EQ(HitButton(board, audio.left, audio.top), 1);
    EXPECT_EQ(PressIndex(board, close), close);
    EXPECT_EQ(TakePendingCommand(board), kCommandClose);
    for (int absent : {5, -1}) EXPECT_EQ(PressIndex(board, absent), -1);
    Move(board, audio.left, audio.top);
    ClearButtons(board);
    EXPECT_EQ(HitButton(board, audio.left, audio.top), -1);
    EXPECT_EQ(HitButton(board, 0, 0), -1);  // an empty rectangle holds no point, not even its corner
    EXPECT_EQ(PressIndex(board, close), -1);
    EXPECT_EQ(TakePendingCommand(board), 0);
    EXPECT_TRUE(board.hover[1]);  // flags survive leaving and re-entering a screen
    PlaceButtons(board);
    EXPECT_EQ(HitButton(board, audio.right - 1, audio.bottom - 1), 1);
}

TEST(MenuTables, PicturesCoverTheirRectanglesEdgesIncluded) {
    for (const ButtonTable& table : {kMainMenuTable, kOptionsMenuTable}) {
        for (int i = 0; i < table.count; ++i) {
            const ButtonSpec& b = table.buttons[i];
            EXPECT_EQ(b.pictureWidth, b.hot.Width() + 1) << b.id;
            EXPECT_EQ(b.pictureHeight, b.hot.Height() + 1) << b.id;
            EXPECT_NE(b.normalResource, 0) << b.id;
        }
    }
}

}  // namespace
