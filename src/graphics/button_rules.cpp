#include "graphics/button_rules.h"

namespace zorv {

ButtonBoard MakeButtonBoard(const ButtonTable& table) {
    ButtonBoard board;
    board.table = table;
    if (board.table.count > kMaxScreenButtons) board.table.count = kMaxScreenButtons;
    if (board.table.count < 0 || !board.table.buttons) board.table.count = 0;
    PlaceButtons(board);
    return board;
}

void PlaceButtons(ButtonBoard& board) {
    for (int i = 0; i < board.table.count; ++i) board.hot[i] = board.table.buttons[i].hot;
}

void ClearButtons(ButtonBoard& board) {
    for (int i = 0; i < board.table.count; ++i) board.hot[i] = ButtonRect{0, 0, 0, 0};
}

int HitButton(const ButtonBoard& board, int x, int y) {
    for (int i = 0; i < board.table.count; ++i) {
        if (board.hot[i].Contains(x, y)) return i;
    }
    return -1;
}

int TrackPointer(ButtonBoard& board, int x, int y, HoverChange* changes) {
    int changed = 0;
    for (int i = 0; i < board.table.count; ++i) {
        const bool inside = board.hot[i].Contains(x, y);
        changes[i] = inside == board.hover[i] ? HoverChange::kNone
                     : inside                 ? HoverChange::kEntered
                                              : HoverChange::kLeft;
        if (changes[i] == HoverChange::kNone) continue;
        board.hover[i] = inside;
        ++changed;
    }
    return changed;
}

int PressAt(ButtonBoard& board, int x, int y) {
    const int hit = HitButton(board, x, y);
    if (hit >= 0) board.pendingCommand = board.table.buttons[hit].command;
    return hit;
}

int PressIndex(ButtonBoard& board, int index) {
    if (index < 0 || index >= board.table.count) return -1;
    const ButtonRect& hot = board.hot[index];
    if (hot.Width() <= 0 || hot.Height() <= 0) return -1;
    board.pendingCommand = board.table.buttons[index].command;
    return index;
}

int TakePendingCommand(ButtonBoard& board) {
    const int command = board.pendingCommand;
    board.pendingCommand = 0;
    return command;
}

}  // namespace zorv
