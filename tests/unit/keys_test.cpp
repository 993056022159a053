// The key table, the reading and writing rules of the key binding file, and the promise of the
// key configuration screen that what the fields show is what DONE writes.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

#include "keys/key_bindings.h"
#include "keys/key_table.h"

using namespace zorv;

namespace {

struct Expected {
    int virtualKey;
    std::string name;
};

// The known keys, derived from the PC keyboard's rows rather than copied from the table: scan
// codes run along each row, letters and digits produce their own characters as virtual keys.
std::map<int, Expected> KnownKeys() {
    std::map<int, Expected> keys;
    const std::map<char, int> oem = {{'-', 0xBD},  {'=', 0xBB}, {'[', 0xDB}, {']', 0xDD}, {';', 0xBA},
                                     {'\'', 0xDE}, {'`', 0xC0}, {',', 0xBC}, {'.', 0xBE}, {'/', 0xBF}};
    auto row = [&](int firstCode, const std::string& characters) {
        for (size_t i = 0; i < characters.size(); ++i) {
            char c = characters[i];
            int vk = oem.count(c) ? oem.at(c) : c;
            keys[firstCode + static_cast<int>(i)] = {vk, std::string(1, c)};
        }
    };
    row(2, "1234567890-=");
    row(16, "QWERTYUIOP[]");
    row(30, "ASDFGHJKL;'`");
    row(44, "ZXCVBNM,./");
    for (int f = 1; f <= 10; ++f) keys[58 + f] = {0x6F + f, "F" + std::to_string(f)};
    keys[87] = {0x7A, "F11"};
    keys[88] = {0x7B, "F12"};
    // The keypad as scan codes 71..83 lay it out: 7 8 9 - / 4 5 6 + / 1 2 3 / 0 Del.
    const char* pad[] = {"7", "8", "9", "-", "4", "5", "6", "+", "1", "2", "3", "0"};
    const int padVk[] = {0x67, 0x68, 0x69, 0x6D, 0x64, 0x65, 0x66, 0x6B, 0x61, 0x62, 0x63, 0x60};
    for (int i = 0; i < 12; ++i) keys[71 + i] = {padVk[i], std::string("Num ") + pad[i]};
    keys[83] = {0x6E, "Num Del"};
    keys[55] = {0x6A, "Num *"};
    keys[309] = {0x6F, "Num /"};
    keys[1] = {0x1B, "Escape"};
    keys[14] = {0x08, "Backspace"};
    keys[28] = {0x0D, "Enter"};
    keys[284] = {0x0D, "Enter"};
    keys[29] = {0x11, "Ctrl"};
    keys[42] = {0x10, "Shift"};
    keys[57] = {0x20, "Space"};
    // The extended navigation keys: the keypad's scan codes plus 256.
    keys[327] = {0x24, "Home"};
    keys[328] = {0x26, "Up"};
    keys[329] = {0x21, "PageUp"};
    keys[331] = {0x25, "Left"};
    keys[333] = {0x27, "Right"};
    keys[335] = {0x23, "End"};
    keys[336] = {0x28, "Down"};
    keys[337] = {0x22, "PageDown"};
    keys[338] = {0x2D, "Ins"};
    keys[339] = {0x2E, "Del"};
    return keys;
}

std::string FullFile(int custom, const int codes[kKeySlotCount], int joystick) {
    std::string text = std::to_string(custom) + "\n";
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        text += std::string(kKeySlotKeys[slot]) + " " + std::to_string(codes[slot]) + "\n";
    return text + "#JoyStick " + std::to_string(joystick) + "\n";
}

KeyBindings Filled(int value) {
    KeyBindings keys;
    keys.custom = value;
    for (int& binding : keys.bindings) binding = value;
    keys.joystick = value;
    return keys;
}

const int kDefaultCodes[kKeySlotCount] = {328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29};
const char kResetFile[] =
    "0\n#1p-Up 328\n#1p-Left 331\n#1p-Right 333\n#1p-Down 336\n#1p-Fire01 26\n#1p-Fire02 27\n"
    "#2p-Up 17\n#2p-Left 30\n#2p-Right 32\n#2p-Down 31\n#2p-Fire01 42\n#2p-Fire02 29\n#JoyStick 0\n";

// What the next opening of the screen shows for a saved text: every field's code and the
// joystick flag.
KeyBindings Reopened(const std::string& saved, KeyBindings memory = KeyBindings()) {
    ParseKeyBindingsText(memory, saved);
    OpenKeyBindings(memory);
    return memory;
}

// The promise of the screen, checked after every step of a scenario: the text DONE would write
// holds, line for line, what the fields show; and an opening on that text shows it again.
void ExpectSeenIsSaved(const KeyBindings& keys, const char* step) {
    const std::string text = KeyBindingsText(keys);
    int codes[kKeySlotCount];
    for (int slot = 0; slot < kKeySlotCount; ++slot) codes[slot] = ShownKeyCode(keys, slot);
    EXPECT_EQ(text, FullFile(keys.defaultsChosen ? 0 : 1, codes, keys.joystick)) << step;
    const KeyBindings next = Reopened(text);
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        EXPECT_EQ(ShownKeyCode(next, slot), codes[slot]) << step << " slot " << slot;
    EXPECT_EQ(next.joystick != 0, keys.joystick != 0) << step;
}

}  // namespace

TEST(KeyTable, HoldsExactlyTheKnownKeysAndNamesNothingElse) {
    const std::map<int, Expected> known = KnownKeys();
    ASSERT_EQ(known.size(), 90u);
    ASSERT_EQ(kKeyEntryCount, 90);
    for (int code = 0; code < kKeyCodeCount; ++code) {
        auto it = known.find(code);
        EXPECT_EQ(KeyName(code), it == known.end() ? std::string() : it->second.name) << "key code " << code;
        if (it == known.end()) continue;
        // A virtual key finds the smallest code that produces it: the main Enter over the keypad's.
        EXPECT_EQ(FindKeyCode(it->second.virtualKey), code == 284 ? 28 : code) << "key code " << code;
    }
    // Virtual keys that no entry holds find nothing, among them the keys the table leaves out:
    // Tab, backslash, Alt, Caps Lock, Num Lock, Scroll Lock, Pause, keypad 5 without Num Lock.
    std::map<int, int> codeOfVirtualKey;
    for (const auto& entry : known) codeOfVirtualKey.emplace(entry.second.virtualKey, entry.first);
    for (int vk = 0; vk < 0x200; ++vk) {
        if (!codeOfVirtualKey.count(vk)) EXPECT_EQ(FindKeyCode(vk), 0) << "virtual key " << vk;
    }
    for (int vk : {0x09, 0xDC, 0x12, 0x14, 0x90, 0x91, 0x13, 0x0C, -1, INT_MAX}) EXPECT_EQ(FindKeyCode(vk), 0) << vk;
    // Codes outside 0..399 never index the table.
    for (int code : {-1, 400, 401, 1000, INT_MAX, INT_MIN}) EXPECT_STREQ(KeyName(code), "") << code;
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        EXPECT_STREQ(KeyName(kDefaultKeys[slot].code), kDefaultKeys[slot].name);
}

TEST(KeyFile, ReadingRules) {
    const int fileCodes[kKeySlotCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    struct Case {
        const char* what;
        std::string text;
        int before;  // every field of the record before reading
        int custom;  // expected custom flag
        int slot;    // the slot to check (-1: joystick flag)
        int value;   // its expected value
    } cases[] = {
        {"a full file fills the record", FullFile(1, fileCodes, 1), 99, 1, 11, 12},
        {"a full file sets the joystick", FullFile(1, fileCodes, 1), 99, 1, -1, 1},
        {"any order", "1\n#JoyStick 1\n#2p-Fire02 29\n#1p-Up 17\n", 99, 1, 0, 17},
        {"a duplicate keeps its last line", "1\n#1p-Left 5\n#1p-Left 6\n", 99, 1, 1, 6},
        {"an unknown line is ignored", "1\n# keys of player one\n#1p-Upper 5\n", 99, 1, 0, 99},
        {"keys are case-sensitive", "1\n#1P-Up 5\n", 99, 1, 0, 99},
        {"a key glued to the line end is no key", "1\n#1p-Up\n17\n", 99, 1, 0, 99},
        {"a key ending the file without a value changes nothing", "1\n#1p-Up", 99, 1, 0, 99},
        {"a key with only blanks after it changes nothing", "1\n#1p-Up \t \n", 99, 1, 0, 99},
        {"blanks before the key and a comment after the number", "1\n  #2p-Down 31 # down\n", 99, 1, 9, 31},
        {"several blanks and letters after the digits", "1\n#1p-Up \t 328abc\n", 99, 1, 0, 328},
        {"a value without digits is 0", "1\n#1p-Up none\n", 99, 1, 0, 0},
        {"a negative value is kept", "1\n#1p-Up -5\n", 99, 1, 0, -5},
        {"a huge value saturates", "1\n#1p-Up 99999999999\n", 99, 1, 0, INT_MAX},
        {"CR LF line ends", "7\r\n#1p-Right 333\r\n", 99, 7, 2, 333},
        {"an empty file leaves the record", "", 99, 99, 0, 99},
        {"a missing key keeps its value", "0\n#1p-Up 17\n", 99, 0, 5, 99},
        {"without a first number the lines are still read", "#1p-Up 17\n", 99, 99, 0, 17},
        {"the first line may carry a key after the number", "1 #1p-Up 30\n", 99, 1, 0, 30},
        {"the number may be preceded by blank lines", "\n\n  -3\n#JoyStick 4\n", 99, -3, -1, 4},
        {"a NUL byte ends its line", std::string("1\n#1p-Up 3\0 9\n#1p-Left\0 7\n", 26), 99, 1, 0, 3},
        {"a NUL byte hides the value after the key", std::string("1\n#1p-Up 3\0 9\n#1p-Left\0 7\n", 26), 99, 1, 1, 99},
        {"a line longer than 255 characters is read in pieces",
         "1\n#1p-Up" + std::string(250, ' ') + "12\n" + std::string(255, 'x') + "#1p-Down 8\n", 99, 1, 3, 8},
        {"the first piece of a long line ends at 255 characters", "1\n#1p-Up" + std::string(250, ' ') + "12\n", 99, 1,
         0, 99},
    };
    for (const Case& c : cases) {
        KeyBindings keys = Filled(c.before);
        ParseKeyBindingsText(keys, c.text);
        EXPECT_EQ(keys.custom, c.custom) << c.what;
        EXPECT_EQ(c.slot < 0 ? keys.joystick : keys.bindings[c.slot], c.value) << c.what;
        EXPECT_EQ(keys.defaultsChosen, 0) << c.what;
    }
}

TEST(KeyFile, WritingRules) {
    // RESET then DONE, with the joystick at 0: the file every installation starts from.
    KeyBindings keys = Filled(5);
    ResetKeyBindings(keys);
    EXPECT_EQ(KeyBindingsText(keys), kResetFile);
    KeyBindingsSaved(keys);
    EXPECT_EQ(keys.custom, 0);
    EXPECT_EQ(keys.defaultsChosen, 0);
    // The player's own keys: 1, the bindings as they are (even codes the table does not know),
    // and the joystick flag.
    const int own[kKeySlotCount] = {30, 0, -7, 400, 2147483647, 43, 17, 30, 32, 31, 42, 29};
    KeyBindings custom = Filled(3);
    for (int slot = 0; slot < kKeySlotCount; ++slot) custom.bindings[slot] = own[slot];
    custom.joystick = -1;
    EXPECT_EQ(KeyBindingsText(custom), FullFile(1, own, -1));
    KeyBindingsSaved(custom);
    EXPECT_EQ(custom.custom, 1);
    // What a save writes reads back exactly.
    KeyBindings back = Filled(99);
    ParseKeyBindingsText(back, KeyBindingsText(custom));
    EXPECT_EQ(back.custom, 1);
    EXPECT_EQ(back.joystick, -1);
    for (int slot = 0; slot < kKeySlotCount; ++slot) EXPECT_EQ(back.bindings[slot], own[slot]) << slot;
}

TEST(KeyScreen, WhatTheFieldsShowIsWhatDoneWrites) {
    const int odd[kKeySlotCount] = {17, 1000, -1, 43, 0, 284, 30, 30, 30, 30, 30, 30};

    // A file that says "defaults" opens with the default names whatever codes it holds, keeps
    // its joystick flag, and writes 0 and the default codes back.
    KeyBindings keys = Reopened(FullFile(0, odd, 1));
    for (int slot = 0; slot < kKeySlotCount; ++slot) EXPECT_EQ(ShownKeyCode(keys, slot), kDefaultCodes[slot]);
    EXPECT_EQ(keys.joystick, 1);
    ExpectSeenIsSaved(keys, "opened in default mode");
    EXPECT_EQ(KeyBindingsText(keys).substr(0, 2), "0\n");

    // A key captured there keeps the other default names and makes the first line 1.
    BindKey(keys, 7, 18);
    EXPECT_EQ(ShownKeyCode(keys, 7), 18);
    EXPECT_EQ(ShownKeyCode(keys, 6), 17);
    ExpectSeenIsSaved(keys, "captured after opening in default mode");
    EXPECT_EQ(KeyBindingsText(keys).substr(0, 2), "1\n");

    // The player's own file: unknown and out-of-range codes show nothing and go back unchanged
    // until their slot is bound.
    keys = Reopened(FullFile(1, odd, 0));
    EXPECT_STREQ(KeyName(ShownKeyCode(keys, 1)), "");
    EXPECT_STREQ(KeyName(ShownKeyCode(keys, 2)), "");
    EXPECT_STREQ(KeyName(ShownKeyCode(keys, 5)), "Enter");
    ExpectSeenIsSaved(keys, "opened on the player's keys");
    EXPECT_EQ(KeyBindingsText(keys), FullFile(1, odd, 0));
    BindKey(keys, 1, 1);
    EXPECT_STREQ(KeyName(ShownKeyCode(keys, 1)), "Escape");

    // RESET shows the defaults with JOYSTICK 1 in the left place; swaps after it are saved and
    // shown at the next opening; a capture after it is saved too.
    ToggleJoystick(keys);
    ResetKeyBindings(keys);
    EXPECT_EQ(keys.joystick, 0);
    ExpectSeenIsSaved(keys, "after RESET");
    ToggleJoystick(keys);
    ExpectSeenIsSaved(keys, "RESET and a swap");
    EXPECT_EQ(Reopened(KeyBindingsText(keys)).joystick, 1);
    BindKey(keys, 11, 57);
    ExpectSeenIsSaved(keys, "RESET and a capture");

    // After a save the record is what the file holds.
    ResetKeyBindings(keys);
    KeyBindingsSaved(keys);
    EXPECT_EQ(keys.custom, 0);
    EXPECT_EQ(keys.defaultsChosen, 0);
    for (int slot = 0; slot < kKeySlotCount; ++slot) EXPECT_EQ(keys.bindings[slot], kDefaultCodes[slot]);
}

TEST(KeyScreen, JoystickClicksAlwaysSwapAndFocusMovesOn) {
    struct Case {
        int before, after;
    } toggles[] = {{0, 1}, {1, 0}, {2, 0}, {-1, 0}};
    for (const Case& c : toggles) {
        KeyBindings keys;
        keys.joystick = c.before;
        ToggleJoystick(keys);
        EXPECT_EQ(keys.joystick, c.after) << c.before;
    }
    EXPECT_EQ(NextKeySlot(0, 'A'), 1);
    EXPECT_EQ(NextKeySlot(11, 'A'), 0);
    EXPECT_EQ(NextKeySlot(11, 0x14), 0);  // a refused key moves on too
    EXPECT_EQ(NextKeySlot(4, 0x1B), kNoSlot);
}
