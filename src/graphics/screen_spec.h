// A settings screen described as one constant value: its buttons, the slot its background comes
// from, where its client area and controls stand and where its captions are drawn. The image
// button screen (image_button_screen_win.h) does everything these describe; the screen keeps
// only what is its own.
#pragma once

#include <cstddef>

#include "captions/caption_places.h"
#include "graphics/button_table.h"
#include "graphics/dialog_layout.h"
#include "graphics/picture_slot.h"

namespace zorv {

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
};

}  // namespace zorv
