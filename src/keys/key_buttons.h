// The key configuration screen: its five image buttons and the places of its twelve key fields.
#pragma once

#include <array>

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum KeyCommand {
    kCommandKeysDone = 523,
    kCommandKeysReset = 524,
    kCommandKeysCancel = 525,
    kCommandJoystickLeft = 526,   // a press on the left JOYSTICK place, whichever button stands there
    kCommandJoystickRight = 527,  // a press on the right JOYSTICK place
};

// The two JOYSTICK places, below player 1's and player 2's key fields. JOYSTICK 1 stands in the
// left one while the joystick flag is 0; a nonzero flag swaps the two buttons.
inline constexpr ButtonRect kJoystickLeftPlace = {120, 340, 246, 376};
inline constexpr ButtonRect kJoystickRightPlace = {386, 340, 512, 376};

// Hit-test order: DONE, RESET, CANCEL, left place, right place. The JOYSTICK lines give the
// buttons as they stand with the flag at 0; their palettes are not realised when the whole
// screen is drawn.
// clang-format off
inline constexpr ButtonSpec kKeyButtons[] = {
    {kCommandKeysDone, kCommandKeysDone, IDB_KEYS_DONE_NORMAL, IDB_KEYS_DONE_HIGHLIGHT, IDB_KEYS_DONE_PRESSED, {225, 423, 351, 457}, 126, 36, "DONE", 0, true},
    {kCommandKeysReset, kCommandKeysReset, IDB_KEYS_RESET_NORMAL, IDB_KEYS_RESET_HIGHLIGHT, IDB_KEYS_RESET_PRESSED, {361, 423, 487, 457}, 126, 36, "RESET", 0, true},
    {kCommandKeysCancel, kCommandKeysCancel, IDB_KEYS_CANCEL_NORMAL, IDB_KEYS_CANCEL_HIGHLIGHT, IDB_KEYS_CANCEL_PRESSED, {497, 423, 623, 457}, 126, 36, "CANCEL", 0, true},
    {kCommandJoystickLeft, kCommandJoystickLeft, IDB_KEYS_JOYSTICK1_NORMAL, IDB_KEYS_JOYSTICK1_HIGHLIGHT, IDB_KEYS_JOYSTICK1_PRESSED, kJoystickLeftPlace, 126, 36, "JOYSTICK 1", 0, false},
    {kCommandJoystickRight, kCommandJoystickRight, IDB_KEYS_JOYSTICK2_NORMAL, IDB_KEYS_JOYSTICK2_HIGHLIGHT, IDB_KEYS_JOYSTICK2_PRESSED, kJoystickRightPlace, 126, 36, "JOYSTICK 2", 0, false},
};
// clang-format on

inline constexpr ButtonTable kKeyButtonTable = MakeButtonTable(kKeyButtons);

// Indexes into kKeyButtons.
constexpr int kJoystickLeftIndex = 3;
constexpr int kJoystickRightIndex = 4;

// Template 179: no caption and no system menu, left with DONE or CANCEL only. It is laid out in
// dialog units at two pixels each: its 319 by 239 units are the menu window's 640 by 480 pixels
// less its thin border. The screen holds itself to these pixels whatever the system's dialog
// font makes of the units, since the background picture and the buttons are drawn for them.
// clang-format off
inline constexpr DialogSpec kKeyDialog = {IDD_KEYS, "DIALOGEX", 0, 0, 319, 239, "WS_POPUP | WS_VISIBLE | WS_BORDER", 10, "System"};
// clang-format on

struct KeyFieldPlace {
    int controlId;
    int x, y, width, height;  // dialog units, as in the template
    int player;               // 1 or 2
    const char* action;       // the words the background shows beside the field

    constexpr ButtonRect Pixels() const { return FromDialogUnits(x, y, width, height); }
};

// In slot order. Each player's fields form a cross (Up above Left and Right, Down below them)
// with the two fire fields underneath.
// clang-format off
inline constexpr KeyFieldPlace kKeyFields[] = {
    {IDC_KEY_1P_UP, 89, 37, 38, 13, 1, "UP"},
    {IDC_KEY_1P_LEFT, 67, 62, 38, 13, 1, "LEFT"},
    {IDC_KEY_1P_RIGHT, 110, 62, 38, 13, 1, "RIGHT"},
    {IDC_KEY_1P_DOWN, 89, 88, 38, 13, 1, "DOWN"},
    {IDC_KEY_1P_FIRE1, 89, 113, 38, 13, 1, "FIRE 1"},
    {IDC_KEY_1P_FIRE2, 89, 139, 38, 13, 1, "FIRE 2"},
    {IDC_KEY_2P_UP, 224, 37, 38, 13, 2, "UP"},
    {IDC_KEY_2P_LEFT, 202, 62, 38, 13, 2, "LEFT"},
    {IDC_KEY_2P_RIGHT, 245, 62, 38, 13, 2, "RIGHT"},
    {IDC_KEY_2P_DOWN, 225, 88, 38, 13, 2, "DOWN"},
    {IDC_KEY_2P_FIRE1, 224, 113, 38, 13, 2, "FIRE 1"},
    {IDC_KEY_2P_FIRE2, 224, 139, 38, 13, 2, "FIRE 2"},
};
// clang-format on

constexpr int kKeyFieldCount = static_cast<int>(sizeof kKeyFields / sizeof kKeyFields[0]);

// The fields as the template declares them: read-only, out of the tab order, each a thin
// frame on the background.
constexpr char kKeyFieldStyle[] = "ES_READONLY | WS_BORDER | NOT WS_TABSTOP";
constexpr std::array<ControlSpec, kKeyFieldCount> KeyFieldControls() {
    std::array<ControlSpec, kKeyFieldCount> controls = {};
    for (int i = 0; i < kKeyFieldCount; ++i) {
        const KeyFieldPlace& f = kKeyFields[i];
        controls[i] = {"EDITTEXT", f.controlId, f.x, f.y, f.width, f.height, kKeyFieldStyle, "WS_EX_STATICEDGE"};
    }
    return controls;
}
inline constexpr std::array<ControlSpec, kKeyFieldCount> kKeyFieldControls = KeyFieldControls();

// The screen covers the menu window, its border included.
// clang-format off
inline constexpr ScreenSpec kKeyScreen = {
    kKeyDialog, kKeyButtonTable, kSlotKeys, ScreenPlacement::kCoverOwner,
    ControlList{kKeyFieldControls.data(), kKeyFieldCount}, CaptionList{nullptr, 0}, kCommandKeysDone};
// clang-format on

}  // namespace zorv
