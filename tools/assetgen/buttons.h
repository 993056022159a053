// The menus' image buttons: which words each carries, where it sits, and its three pictures.
#pragma once

#include <string>
#include <vector>

#include "raster.h"
#include "text.h"

namespace assetgen {

enum class ButtonState { Normal, Highlighted, Pressed };

enum class MenuScreen { Main, Options };

struct ButtonArt {
    int normalId, highlightedId, pressedId;  // bitmap resource numbers
    std::vector<std::string> lines;          // the words, one entry per line of lettering
    MenuScreen screen;
    // Hot rectangle in the menu window's client coordinates; right and bottom are outside it.
    int left, top, right, bottom;

    // Each picture is one pixel wider and taller than its hot rectangle, so that it also covers
    // the rectangle's right and bottom edges.
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    std::string Words() const;  // the lines joined by single spaces
};

// Main menu (START GAME, NETWORK GAME, OPTION, QUIT ZORV 3D), then the options menu's five.
const std::vector<ButtonArt>& MenuButtons();

// Green lettering on a dark metal plate. Highlighted: a yellow and black striped bar lights up
// at the left and the lettering glows. Pressed: plate and lettering one pixel further right and
// down, the indicator slot lit green.
Image RenderButton(const ButtonArt& button, ButtonState state, const Fonts& fonts);

// Width of the indicator slot at a button's left, where the striped bar shows when highlighted.
constexpr int kIndicatorLeft = 3;
constexpr int kIndicatorRight = 14;

}  // namespace assetgen
