// The key table: key codes (scan code, plus 256 for an extended key) with the Windows
// virtual-key code each key produces and the name a key field shows for it.
#pragma once

namespace zorv {

constexpr int kKeyCodeCount = 400;  // key codes 0 to 399
constexpr int kKeyNameSize = 20;    // a name and its terminating zero

struct KeyEntry {
    int code;
    int virtualKey;
    const char* name;
};

// The keys the program knows, by ascending key code. Every other key code, 0 included, has
// virtual-key code 0 and an empty name. Tab, backslash, right Shift, Alt, Caps Lock, Num Lock,
// Scroll Lock and Pause have no entry, so they cannot be bound. Right Ctrl and right Shift
// produce the left keys' virtual-key codes; both Enter keys produce VK_RETURN.
// clang-format off
inline constexpr KeyEntry kKeyEntries[] = {
    {1, 0x1B, "Escape"},
    {2, 0x31, "1"},
    {3, 0x32, "2"},
    {4, 0x33, "3"},
    {5, 0x34, "4"},
    {6, 0x35, "5"},
    {7, 0x36, "6"},
    {8, 0x37, "7"},
    {9, 0x38, "8"},
    {10, 0x39, "9"},
    {11, 0x30, "0"},
    {12, 0xBD, "-"},
    {13, 0xBB, "="},
    {14, 0x08, "Backspace"},
    {16, 0x51, "Q"},
    {17, 0x57, "W"},
    {18, 0x45, "E"},
    {19, 0x52, "R"},
    {20, 0x54, "T"},
    {21, 0x59, "Y"},
    {22, 0x55, "U"},
    {23, 0x49, "I"},
    {24, 0x4F, "O"},
    {25, 0x50, "P"},
    {26, 0xDB, "["},
    {27, 0xDD, "]"},
    {28, 0x0D, "Enter"},
    {29, 0x11, "Ctrl"},
    {30, 0x41, "A"},
    {31, 0x53, "S"},
    {32, 0x44, "D"},
    {33, 0x46, "F"},
    {34, 0x47, "G"},
    {35, 0x48, "H"},
    {36, 0x4A, "J"},
    {37, 0x4B, "K"},
    {38, 0x4C, "L"},
    {39, 0xBA, ";"},
    {40, 0xDE, "'"},
    {41, 0xC0, "`"},
    {42, 0x10, "Shift"},
    {44, 0x5A, "Z"},
    {45, 0x58, "X"},
    {46, 0x43, "C"},
    {47, 0x56, "V"},
    {48, 0x42, "B"},
    {49, 0x4E, "N"},
    {50, 0x4D, "M"},
    {51, 0xBC, ","},
    {52, 0xBE, "."},
    {53, 0xBF, "/"},
    {55, 0x6A, "Num *"},
    {57, 0x20, "Space"},
    {59, 0x70, "F1"},
    {60, 0x71, "F2"},
    {61, 0x72, "F3"},
    {62, 0x73, "F4"},
    {63, 0x74, "F5"},
    {64, 0x75, "F6"},
    {65, 0x76, "F7"},
    {66, 0x77, "F8"},
    {67, 0x78, "F9"},
    {68, 0x79, "F10"},
    {71, 0x67, "Num 7"},
    {72, 0x68, "Num 8"},
    {73, 0x69, "Num 9"},
    {74, 0x6D, "Num -"},
    {75, 0x64, "Num 4"},
    {76, 0x65, "Num 5"},
    {77, 0x66, "Num 6"},
    {78, 0x6B, "Num +"},
    {79, 0x61, "Num 1"},
    {80, 0x62, "Num 2"},
    {81, 0x63, "Num 3"},
    {82, 0x60, "Num 0"},
    {83, 0x6E, "Num Del"},
    {87, 0x7A, "F11"},
    {88, 0x7B, "F12"},
    {284, 0x0D, "Enter"},
    {309, 0x6F, "Num /"},
    {327, 0x24, "Home"},
    {328, 0x26, "Up"},
    {329, 0x21, "PageUp"},
    {331, 0x25, "Left"},
    {333, 0x27, "Right"},
    {335, 0x23, "End"},
    {336, 0x28, "Down"},
    {337, 0x22, "PageDown"},
    {338, 0x2D, "Ins"},
    {339, 0x2E, "Del"},
};
// clang-format on

constexpr int kKeyEntryCount = static_cast<int>(sizeof kKeyEntries / sizeof kKeyEntries[0]);

// The key code of a virtual-key code: the smallest key code whose entry holds it, so the main
// Enter (28) wins over the keypad Enter (284). 0 when no key has it.
int FindKeyCode(int virtualKey);

// The name of a key code; empty for codes without an entry and for any value outside 0 to 399,
// which never indexes the table.
const char* KeyName(int keyCode);

}  // namespace zorv
