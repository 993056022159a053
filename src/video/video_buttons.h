// The video calibration dialog's two image buttons and their command codes, where the screen,
// its controls and its captions lie in pixels, and its background.
#pragma once

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum VideoCommand { kCommandVideoDone = 530, kCommandVideoDefault = 531 };

// Each picture covers its rectangle exactly. DONE is hit-tested first. One line per button.
// clang-format off
inline constexpr ButtonSpec kVideoButtons[] = {
    {530, kCommandVideoDone, IDB_VIDEO_DONE_NORMAL, IDB_VIDEO_DONE_HIGHLIGHT, IDB_VIDEO_DONE_PRESSED, {46, 230, 236, 266}, 190, 36, "DONE", 0, true},
    {531, kCommandVideoDefault, IDB_VIDEO_DEFAULT_NORMAL, IDB_VIDEO_DEFAULT_HIGHLIGHT, IDB_VIDEO_DEFAULT_PRESSED, {46, 278, 236, 314}, 190, 36, "DEFAULT", 0, true},
};
// clang-format on

inline constexpr ButtonTable kVideoTable = MakeButtonTable(kVideoButtons);

// Template 177: a captionless popup over the options menu, placed from the owner's client-area
// origin; left with DONE only. At two pixels per dialog unit its client area is 280 by 344
// pixels, over which the background picture is drawn scaled.
// clang-format off
inline constexpr DialogSpec kVideoDialog = {IDD_VIDEO, "DIALOGEX", 144, 31, 140, 172, "WS_POPUP | WS_VISIBLE | WS_BORDER", 10, "System"};
// clang-format on
inline constexpr ButtonRect kVideoClientPlace = kVideoDialog.Pixels();

// The lists start at rows 42 and 114 and the bar at row 180, below the captions.
inline constexpr ControlSpec kVideoControls[] = {
    {"COMBOBOX", IDC_VIDEO_DRIVERS, 7, 21, 127, 57, "CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP", ""},
    {"COMBOBOX", IDC_VIDEO_MODES, 7, 57, 127, 48, "CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP", ""},
    {"SCROLLBAR", IDC_VIDEO_LEVEL, 12, 90, 115, 11, "", ""},
};

// Each caption stands above its control.
inline constexpr CaptionPlace kVideoCaptions[] = {
    {CaptionId::kVideoDriver, 22, 20},
    {CaptionId::kVideoMode, 22, 93},
    {CaptionId::kVideoLevel, 22, 162},
};

// The menus read smallwin.bmp a second time into the video screen's own slot.
// clang-format off
inline constexpr ScreenSpec kVideoScreen = {
    kVideoDialog, kVideoTable, kSlotVideo, ScreenPlacement::kClientInOwner, MakeTable(kVideoControls),
    MakeTable(kVideoCaptions), kCommandVideoDone};
// clang-format on

}  // namespace zorv
