// The look shared by every picture: brushed dark metal, bevels, recesses, rivets, warning
// stripes and glowing green lettering.
#pragma once

#include <string>
#include <vector>

#include "raster.h"
#include "text.h"

namespace assetgen {

namespace colours {
const Rgb kBlack{0.f, 0.f, 0.f};
const Rgb kWall = {0.105f, 0.12f, 0.15f};      // the big dark surfaces
const Rgb kPlate = {0.20f, 0.225f, 0.265f};    // raised plates and buttons
const Rgb kRecess = {0.035f, 0.045f, 0.055f};  // sunk windows
const Rgb kGreen = {0.10f, 0.85f, 0.25f};
const Rgb kGreenDeep = {0.03f, 0.55f, 0.12f};
const Rgb kGreenCore = {0.75f, 1.f, 0.72f};
const Rgb kGlow = {0.15f, 1.f, 0.3f};
const Rgb kYellow = {1.f, 0.78f, 0.02f};
const Rgb kBodyText = {0.72f, 0.86f, 0.76f};
}  // namespace colours

// Horizontal brushed texture over `base`; `strength` is the relative brightness swing.
void BrushedMetal(Image& img, const Rect& r, Rgb base, uint32_t seed, float strength = 0.10f);
// Raised edge (light top and left, dark bottom and right) of `width` pixels.
void Bevel(Image& img, const Rect& r, int width, float light, float dark);
// A raised metal plate with a one-pixel dark outline.
void Plate(Image& img, const Rect& r, Rgb base, uint32_t seed);
// A sunk window: darkened inside, shadowed along the top and left, lit along the bottom and right.
void Recess(Image& img, const Rect& r, float darkness = 0.35f);
// A dark recess filled with its own colour.
void Window(Image& img, const Rect& r, Rgb fill);
void Rivet(Image& img, float cx, float cy, float radius);
void RivetRow(Image& img, float x0, float x1, float y, int count, float radius);
// Diagonal yellow and black warning stripes filling the rectangle.
void HazardStripes(Image& img, const Rect& r, float period);
// Slotted vent grille.
void Vents(Image& img, const Rect& r, int slots);
// Horizontal panel seam: a dark groove with a lit lower lip.
void SeamH(Image& img, int x0, int x1, int y);
void SeamV(Image& img, int x, int y0, int y1);

// How a line of lettering looks.
struct Lettering {
    const Font* font = nullptr;
    TextSpec textSpec;
    Rgb top = colours::kGreen;         // fill at the top of the capitals
    Rgb bottom = colours::kGreenDeep;  // fill at the baseline
    Rgb glow = colours::kGlow;
    int glowRadius = 4;
    float glowStrength = 0.4f;
    int outline = 0;     // dark outline width in pixels, 0 for none
    bool shadow = true;  // a soft dark drop shadow
};

// Draws one line with its pen at (x, baseline).
void DrawText(Image& img, const std::string& text, const Lettering& style, float x, float baseline);
// Draws one line centred in `box` (horizontally, and vertically on the capital height).
void DrawTextCentred(Image& img, const std::string& text, const Lettering& style, const Rect& box);
// Plain, unglowing text: for the small print of instruction pages.
void DrawPlainText(Image& img, const std::string& text, const Font& font, const TextSpec& textSpec, Rgb colour, float x,
                   float baseline);
// Greedy word wrap into lines no wider than `width`.
std::vector<std::string> Wrap(const Font& font, const TextSpec& textSpec, const std::string& text, int width);

}  // namespace assetgen
