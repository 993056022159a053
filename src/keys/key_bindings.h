// The key binding record of two players, six actions each, and the joystick flag; the text of
// ".\info\keyvalue.cfg" that holds them between runs; and the rules of the key configuration
// screen over that record.
//
// The screen keeps one promise: the twelve key fields and the two JOYSTICK places always show
// exactly what DONE would write, and the next opening shows what the file holds. So the record
// is "in default mode" (defaults-chosen flag set) exactly while the fields show the default
// table; a captured key leaves default mode and carries the default codes shown in the other
// fields into the bindings; a save leaves the record holding what the file now holds.
#pragma once

#include <string>

#include "keys/key_table.h"

namespace zorv {

constexpr int kKeySlotCount = 12;

// The file's keys, in slot order, which is also the order of the lines a save writes.
inline constexpr const char* kKeySlotKeys[kKeySlotCount] = {
    "#1p-Up", "#1p-Left", "#1p-Right", "#1p-Down", "#1p-Fire01", "#1p-Fire02",
    "#2p-Up", "#2p-Left", "#2p-Right", "#2p-Down", "#2p-Fire01", "#2p-Fire02",
};
inline constexpr char kJoystickKey[] = "#JoyStick";

struct DefaultKey {
    int code;
    const char* name;
};

// The bindings RESET brings back: arrows and [ ] for player 1, W A D S, Shift and Ctrl for
// player 2. Each name is the key table's name for the code.
inline constexpr DefaultKey kDefaultKeys[kKeySlotCount] = {
    {328, "Up"}, {331, "Left"}, {333, "Right"}, {336, "Down"}, {26, "["},     {27, "]"},
    {17, "W"},   {30, "A"},     {32, "D"},      {31, "S"},     {42, "Shift"}, {29, "Ctrl"},
};

struct DefaultBinding {
    int code;
    char name[kKeyNameSize];
};

struct KeyBindings {
    int custom = 0;                    // the file's first number; nonzero: the player's own keys
    int bindings[kKeySlotCount] = {};  // key codes; any integer the file held
    int joystick = 0;                  // 0: JOYSTICK 1 in the left place; else swapped
    int defaultsChosen = 0;            // the fields show, and a save writes, the default table
    DefaultBinding defaults[kKeySlotCount] = {};
};

// Applies the file's text to the record. The first number (leading blanks and line ends
// skipped, then an optional sign and digits) becomes the custom flag; text that does not start
// with one leaves the flag as it is and is read on as lines. Then every line (pieces of at most
// 255 characters; CR LF counts as LF; a NUL byte ends a line) whose first word, split off at
// spaces and tabs only, is exactly one of the thirteen keys sets that field to the rest of the
// line converted as atoi does. A key glued to the line end keeps its '\n' and so matches
// nothing. A key with nothing but blanks after it changes nothing. Other lines are ignored;
// a key that comes twice keeps its last value.
void ParseKeyBindingsText(KeyBindings& keys, const std::string& text);

// Exactly what a save writes (line ends as '\n'): the first number, twelve "key code" lines in
// slot order and "#JoyStick flag". In default mode: 0 and the default codes; otherwise 1 and
// the bindings. The joystick flag as it stands, in both.
std::string KeyBindingsText(const KeyBindings& keys);

// After a successful save the record holds what the file now holds, out of default mode.
void KeyBindingsSaved(KeyBindings& keys);

// The screen opened and the file was read: a custom flag of 0 means the fields show the
// default table (default mode); the joystick flag stays as the file gave it.
void OpenKeyBindings(KeyBindings& keys);

// The key code a field shows and a save writes for a slot. Its name is KeyName() of it, empty
// for 0, for codes without an entry and for anything outside 0 to 399.
int ShownKeyCode(const KeyBindings& keys, int slot);

// RESET: default mode with JOYSTICK 1 in the left place.
void ResetKeyBindings(KeyBindings& keys);

// A key captured for a slot (a code the key table knows). Leaves default mode keeping what the
// other fields show; the next save writes 1 and the bindings.
void BindKey(KeyBindings& keys, int slot, int keyCode);

// A click on either JOYSTICK place swaps the two buttons: any nonzero flag (the file may hold
// 2 or -1) becomes 0 and 0 becomes 1, so that every click shows and saves a swap.
void ToggleJoystick(KeyBindings& keys);

// Where the focus goes after a key is released in a slot's field, whether or not the key was
// bound: the next slot, 11 wrapping to 0; kNoSlot after Escape (no control keeps the focus).
constexpr int kNoSlot = -1;
int NextKeySlot(int slot, int virtualKey);

}  // namespace zorv
