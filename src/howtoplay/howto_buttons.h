// The how-to-play screen's buttons and command codes.
#pragma once

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum HowToPlayCommand { kCommandPreviousPage = 530, kCommandNextPage = 531, kCommandCloseHowToPlay = 532 };

// The arrows touch: x 73 belongs to the next-page button only. The arrows carry a symbol
// instead of words.
// clang-format off
inline constexpr ButtonSpec kHowToPlayButtons[] = {
    {530, kCommandPreviousPage, IDB_PAGE_PREVIOUS_NORMAL, IDB_PAGE_PREVIOUS_HIGHLIGHT, IDB_PAGE_PREVIOUS_PRESSED, {10, 295, 73, 332}, 63, 36, "\xE2\x97\x80", 0, true},
    {531, kCommandNextPage, IDB_PAGE_NEXT_NORMAL, IDB_PAGE_NEXT_HIGHLIGHT, IDB_PAGE_NEXT_PRESSED, {73, 295, 135, 332}, 63, 36, "\xE2\x96\xB6", 0, true},
    {532, kCommandCloseHowToPlay, IDB_HOWTO_CLOSE_NORMAL, IDB_HOWTO_CLOSE_HIGHLIGHT, IDB_HOWTO_CLOSE_PRESSED, {142, 295, 267, 332}, 126, 36, "CLOSE", 0, true},
};
// clang-format on

inline constexpr ButtonTable kHowToPlayTable = MakeButtonTable(kHowToPlayButtons);

// Template 293: a bare popup over the options menu with no controls, placed from the owner's
// client-area origin and laid out at two pixels per dialog unit: the 280 by 340 pages are drawn
// 1:1 and the buttons stand on their bottom rows. The screen holds itself to these pixels
// whatever the system's dialog font makes of the units.
// clang-format off
inline constexpr DialogSpec kHowToPlayDialog = {IDD_HOW_TO_PLAY, "DIALOG", 144, 31, 140, 170, "WS_POPUP | WS_VISIBLE", 10, "System"};
// clang-format on

// The background is the page on show, the first page's slot until one is turned.
// clang-format off
inline constexpr ScreenSpec kHowToPlayScreen = {
    kHowToPlayDialog, kHowToPlayTable, kSlotHowToPlay1, ScreenPlacement::kClientInOwner, ControlList{nullptr, 0},
    CaptionList{nullptr, 0}, kCommandCloseHowToPlay};
// clang-format on

}  // namespace zorv
