// The menus' image buttons: which words each carries, where it sits, and its three pictures.
#pragma once

#include <string>
#include <vector>

#include "graphics/button_table.h"
#include "raster.h"
#include "text.h"

namespace assetgen {

enum class ButtonState { Normal, Highlighted, Pressed };

// Every screen that carries image buttons. A new screen adds its value here and its line in
// ButtonScreens().
enum class ButtonScreen { Main, Options, Audio, Keys, HowToPlay, Video };

// What a pressed button shows in the indicator slot at its left.
enum class PressedSlot {
    Lamp,     // a green lamp lights up
    Stripes,  // the striped bar stays lit, as in the highlighted picture
};

// A screen's button table (the program's own), the size of its lettering and its pressed look.
struct ScreenArt {
    ButtonScreen screen;
    zorv::ButtonTable table;
    float letteringPx;  // the largest size; smaller where a button's words would not fit
    PressedSlot pressedSlot;
};
const std::vector<ScreenArt>& ButtonScreens();

// One button as the generator draws it, taken from its screen's table line.
struct ButtonArt {
    int normalId, highlightedId, pressedId;  // bitmap resource numbers
    std::vector<std::string> lines;          // the words, one entry per line of lettering
    ButtonScreen screen;
    // Hot rectangle in the window's client coordinates; right and bottom are outside it.
    int left, top, right, bottom;
    int width, height;  // of the pictures

    int Width() const { return width; }
    int Height() const { return height; }
    std::string Words() const;  // the lines joined by single spaces
};

// Every screen's buttons, in the order of ButtonScreens() and of each table.
const std::vector<ButtonArt>& AllButtons();
// The two menu screens' buttons: main menu, then options menu.
std::vector<ButtonArt> MenuButtons();

// The BITMAP lines of the resource script, one per picture of every button.
std::string ButtonResourceScript();

// Green lettering on a dark metal plate. Highlighted: a yellow and black striped bar lights up
// at the left and the lettering glows. Pressed: the face of the highlighted picture, its plate a
// little darker and the indicator slot as the screen's PressedSlot says, one pixel further
// right and down.
Image RenderButton(const ButtonArt& button, ButtonState state, const Fonts& fonts);

// Width of the indicator slot at a button's left, where the striped bar shows when highlighted.
constexpr int kIndicatorLeft = 3;
constexpr int kIndicatorRight = 14;

}  // namespace assetgen
