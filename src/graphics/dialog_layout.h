// Screens whose templates are laid out in dialog units at two pixels each: the measure their
// background pictures and button rectangles are drawn for. What the units become through the
// system's dialog font differs between systems, so such a screen places itself and its
// controls in these pixels.
#pragma once

#include "graphics/button_table.h"

namespace zorv {

constexpr int kDialogUnitPixels = 2;

constexpr ButtonRect FromDialogUnits(int x, int y, int width, int height) {
    return {x * kDialogUnitPixels, y * kDialogUnitPixels, (x + width) * kDialogUnitPixels,
            (y + height) * kDialogUnitPixels};
}

// A control of a template and where it stands, in the dialog's client pixels. For a drop-down
// list the height includes the opened list.
struct ControlPlace {
    int controlId;
    ButtonRect place;
};

}  // namespace zorv
