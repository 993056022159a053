// A settings screen described as one constant value: its buttons, the slot its background comes
// from, where its client area and controls stand and where its captions are drawn. The image
// button screen (image_button_screen_win.h) does everything these describe; the screen keeps
// only what is its own.
//
// The templates are laid out in dialog units at two pixels each: the measure the background
// pictures and button rectangles are drawn for. What the units become through the system's
// dialog font differs between systems, so a screen places itself and its controls in these
// pixels. The table holds the template and controls once: the asset generator writes the
// resource script's template from them, and the screen places itself in pixels from the same
// numbers.
#pragma once

#include <cstddef>

#include "captions/caption_places.h"
#include "graphics/button_table.h"
#include "graphics/picture_slot.h"

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

// A constant table as one value: its first entry and how many there are.
template <typename Entry>
struct TableOf {
    const Entry* entries;
    int count;
};

template <typename Entry, std::size_t N>
constexpr TableOf<Entry> MakeTable(const Entry (&entries)[N]) {
    return TableOf<Entry>{entries, static_cast<int>(N)};
}

using ControlList = TableOf<ControlSpec>;
using CaptionList = TableOf<CaptionPlace>;

enum class ScreenPlacement {
    kClientInOwner,  // the client area is the template's place and size, in the owner's client pixels
    kCoverOwner,     // the screen's window covers the owner's window exactly
};

struct ScreenSpec {
    DialogSpec dialog;
    ButtonTable buttons;
    PictureSlot background;  // drawn scaled over the whole client area
    ScreenPlacement placement;
    ControlList controls;
    CaptionList captions;
    int leaveCommand;  // the button that leaves the screen: where a controller's "back" puts the focus
};

}  // namespace zorv
