// The video calibration dialog's two image buttons and their command codes, where the screen,
// its controls and its captions lie in pixels, and its background.
#pragma once

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum VideoCommand {
    kCommandVideoDone = 530,
    kCommandVideoDefault = 531,
};

// Each picture covers its rectangle exactly. DONE is hit-tested first. One line per button.
// clang-format off
inline constexpr ButtonSpec kVideoButtons[] = {
    {530, kCommandVideoDone, IDB_VIDEO_DONE_NORMAL, IDB_VIDEO_DONE_HIGHLIGHT, IDB_VIDEO_DONE_PRESSED, {46, 230, 236, 266}, 190, 36, "DONE", 0, true},
    {531, kCommandVideoDefault, IDB_VIDEO_DEFAULT_NORMAL, IDB_VIDEO_DEFAULT_HIGHLIGHT, IDB_VIDEO_DEFAULT_PRESSED, {46, 278, 236, 314}, 190, 36, "DEFAULT", 0, true},
};
// clang-format on

inline constexpr ButtonTable kVideoTable = MakeButtonTable(kVideoButtons);

// The background picture, drawn 1:1 so that its frames stand around the buttons and controls.
constexpr int kVideoBackgroundWidth = 280;
constexpr int kVideoBackgroundHeight = 352;

// The client area, in the owner's client coordinates: at the template's place (144, 31 units)
// and as large as the background picture. The template's 172 units of height would be 344
// pixels, squeezing the picture out of line with the button rectangles.
inline constexpr ButtonRect kVideoClientPlace = {144 * kDialogUnitPixels, 31 * kDialogUnitPixels,
                                                 144 * kDialogUnitPixels + kVideoBackgroundWidth,
                                                 31 * kDialogUnitPixels + kVideoBackgroundHeight};

// The template's controls at two pixels per unit: the lists start at rows 42 and 114 and the
// bar at row 180, below the captions drawn at rows 20, 93 and 162.
inline constexpr ControlPlace kVideoControls[] = {
    {IDC_VIDEO_DRIVERS, FromDialogUnits(7, 21, 127, 57)},
    {IDC_VIDEO_MODES, FromDialogUnits(7, 57, 127, 48)},
    {IDC_VIDEO_LEVEL, FromDialogUnits(12, 90, 115, 11)},
};

// Each caption stands above its control.
inline constexpr CaptionPlace kVideoCaptions[] = {
    {CaptionId::kVideoDriver, 22, 20},
    {CaptionId::kVideoMode, 22, 93},
    {CaptionId::kVideoLevel, 22, 162},
};

// The menus read smallwin.bmp a second time into the video screen's own slot.
inline constexpr ScreenSpec kVideoScreen = {
    IDD_VIDEO, kVideoTable, kSlotVideo, ScreenPlacement::kClientInOwner, kVideoClientPlace,
    MakeControlList(kVideoControls), MakeCaptionList(kVideoCaptions),
};

}  // namespace zorv
