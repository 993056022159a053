// Screens whose templates are laid out in dialog units at two pixels each: the measure their
// background pictures and button rectangles are drawn for. What the units become through the
// system's dialog font differs between systems, so such a screen places itself and its
// controls in these pixels.
//
// A screen's table holds its template and controls once: the asset generator writes the
// resource script's template from them, and the screen places itself and its controls in pixels
// from the same numbers.
#pragma once

#include "graphics/button_table.h"

namespace zorv {

constexpr int kDialogUnitPixels = 2;

constexpr ButtonRect FromDialogUnits(int x, int y, int width, int height) {
    return {x * kDialogUnitPixels, y * kDialogUnitPixels, (x + width) * kDialogUnitPixels,
            (y + height) * kDialogUnitPixels};
}

// A dialog template: its resource statement ("DIALOG" or "DIALOGEX"), place and size in dialog
// units (the place is in the owner's client coordinates), its style and font as the resource
// script writes them.
struct DialogSpec {
    int templateId;
    const char* statement;
    int x, y, width, height;
    const char* style;
    int fontSize;
    const char* fontFace;

    constexpr ButtonRect Pixels() const { return FromDialogUnits(x, y, width, height); }
};

// A control of a template: its statement ("EDITTEXT", "COMBOBOX", "SCROLLBAR"), id, place and
// size in dialog units, and its styles as the resource script writes them (empty: none). For a
// drop-down list the height includes the opened list.
struct ControlSpec {
    const char* statement;
    int controlId;
    int x, y, width, height;
    const char* style;
    const char* exStyle;

    constexpr ButtonRect Pixels() const { return FromDialogUnits(x, y, width, height); }
};

}  // namespace zorv
