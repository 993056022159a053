// The constant description of a screen's image buttons. One table per screen, shared by the
// program (which builds its runtime records from it), the asset generator (which draws every
// picture and writes the resource lines from it) and the tests (which take their geometry from
// it): changing a button's place or pictures is a change of one line.
#pragma once

#include <cstddef>

namespace zorv {

// A hot rectangle in a window's client coordinates; a point on the right or bottom edge is
// outside it.
struct ButtonRect {
    int left, top, right, bottom;

    constexpr bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
};

struct ButtonSpec {
    int id;       // unique within its screen
    int command;  // handed to the screen's dispatcher when the button is clicked
    // The bitmap resources of the three pictures; 0: the picture is absent.
    int normalResource, highlightedResource, pressedResource;
    ButtonRect hot;                   // where the screen puts the button (it may move it later)
    int pictureWidth, pictureHeight;  // every picture of the button has this size in pixels
    const char* label;                // the words on the pictures; '\n' starts a new line of lettering
    int clickPauseMs;                 // pause after the click sound, before the pressed picture shows
    bool paletteOnDrawAll;            // drawing the whole screen realises this button's palette first
};

// A screen's table as one value: what the walkers take.
struct ButtonTable {
    const ButtonSpec* buttons;
    int count;
};

template <std::size_t N>
constexpr ButtonTable MakeButtonTable(const ButtonSpec (&buttons)[N]) {
    return ButtonTable{buttons, static_cast<int>(N)};
}

// The index of the table's button with `command`; -1 when none has it.
constexpr int ButtonIndexOf(const ButtonTable& table, int command) {
    for (int i = 0; i < table.count; ++i) {
        if (table.buttons[i].command == command) return i;
    }
    return -1;
}

}  // namespace zorv
