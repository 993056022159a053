// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The first-run flag: 0 while the driver question is still to be asked before a game start.
#pragma once

namespace zorv {

// Reads the flag from ".\info\InitFlag.flg" style text: one decimal integer. Text that holds
// no number leaves `value` as it is.
void ParseFirstRunFlag(const char* text, int* value);

}  // namespace zorv
