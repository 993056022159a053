// The video calibration dialog's two image buttons and their command codes.
#pragma once

#include "graphics/button_table.h"
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

}  // namespace zorv
