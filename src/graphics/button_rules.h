// What a screen's image buttons do with the pointer, decided without drawing anything: hit
// tests in table order, entering and leaving, the pending command of a click. The Win32 layer
// draws and plays what these functions decide.
#pragma once

#include "graphics/button_table.h"

namespace zorv {

constexpr int kMaxScreenButtons = 8;

// A screen's buttons as they stand at run time: the table they come from, where each one is
// now (screens set, move and clear the rectangles), and whether the pointer was inside it at
// the last move the screen saw.
struct ButtonBoard {
    ButtonTable table{nullptr, 0};
    ButtonRect hot[kMaxScreenButtons] = {};
    bool hover[kMaxScreenButtons] = {};
    int pendingCommand = 0;
};

// A board over `table` with every rectangle where the table puts it and no hover flag set.
// Tables longer than kMaxScreenButtons are cut to it.
ButtonBoard MakeButtonBoard(const ButtonTable& table);

// Puts every rectangle where the table says (a screen being entered), or clears them all
// (a screen whose buttons are freed). Hover flags are left as they are.
void PlaceButtons(ButtonBoard& board);
void ClearButtons(ButtonBoard& board);

// The first button, in table order, whose rectangle holds (x, y); -1 when none does.
int HitButton(const ButtonBoard& board, int x, int y);

enum class HoverChange { kNone, kEntered, kLeft };

// A pointer move to (x, y): updates the hover flags and says for each button (changes[i],
// room for the board's count) whether it was entered, left or neither. Several buttons may
// change in one move. Returns how many changed.
int TrackPointer(ButtonBoard& board, int x, int y, HoverChange* changes);

// A left-button press at (x, y): the button hit first, if any, becomes the pending command.
// Returns its index (-1 when nothing was hit). Hover flags do not change.
int PressAt(ButtonBoard& board, int x, int y);

// Button `index` activated from the keyboard or a controller, as a press on it would be. Returns
// `index`, or -1 when there is no such button or it is not placed (a freed screen).
int PressIndex(ButtonBoard& board, int index);

// The command to dispatch after a press (0 when nothing was hit); the board is idle again.
int TakePendingCommand(ButtonBoard& board);

}  // namespace zorv
