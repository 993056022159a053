#include "buttons.h"

#include <algorithm>

#include "style.h"

namespace assetgen {

std::string ButtonArt::Words() const {
    std::string s;
    for (const std::string& line : lines) s += (s.empty() ? "" : " ") + line;
    return s;
}

const std::vector<ButtonArt>& MenuButtons() {
    auto option = [](int normal, int highlighted, int pressed, const char* words, int i) {
        return ButtonArt{normal, highlighted, pressed, {words}, MenuScreen::Options,
                         17, 67 + 60 * i, 206, 102 + 60 * i};
    };
    static const std::vector<ButtonArt> buttons = {
        {190, 191, 189, {"START", "GAME"}, MenuScreen::Main, 273, 86, 417, 171},
        {193, 194, 192, {"NETWORK", "GAME"}, MenuScreen::Main, 5, 145, 204, 230},
        {196, 197, 195, {"OPTION"}, MenuScreen::Main, 484, 297, 634, 358},
        {199, 200, 198, {"QUIT", "ZORV 3D"}, MenuScreen::Main, 465, 145, 634, 230},
        option(202, 203, 201, "SETUP INPUT DEVICE", 0),
        option(205, 206, 204, "AUDIO CALIBRATION", 1),
        option(208, 209, 207, "VIDEO CALIBRATION", 2),
        option(211, 212, 210, "HOW TO PLAY", 3),
        option(296, 297, 295, "CLOSE", 4),
    };
    return buttons;
}

namespace {

// The label window: the recessed screen that carries the lettering.
Rect LabelWindow(int w, int h) {
    int margin = h >= 60 ? 7 : 5;
    return {kIndicatorRight + 4, margin, w - (h >= 60 ? 13 : 11), h - margin};
}

// One lettering size per screen: the largest at which every button's words fit its window.
TextSpec ScreenTextSpec(MenuScreen screen, const Fonts& fonts) {
    TextSpec textSpec = screen == MenuScreen::Main ? TextSpec{23.f, 0.92f, 1.f} : TextSpec{15.f, 0.86f, 1.f};
    for (const ButtonArt& b : MenuButtons()) {
        if (b.screen != screen) continue;
        Rect label = LabelWindow(b.Width(), b.Height());
        for (const std::string& line : b.lines) textSpec = FitWidth(*fonts.bold, line, textSpec, label.Width() - 10);
    }
    return textSpec;
}

// Plate and lettering in the button's own coordinates, without the pressed shift.
Image Face(const ButtonArt& b, ButtonState state, const Fonts& fonts) {
    const int w = b.Width(), h = b.Height();
    Image img(w, h);
    Plate(img, {0, 0, w, h}, colours::kPlate, static_cast<uint32_t>(b.normalId));
    if (state == ButtonState::Pressed) Shade(img, {1, 1, w - 1, h - 1}, 0.82f);

    // Indicator slot at the left: dark when idle, warning stripes when highlighted, lit when pressed.
    Rect slot{kIndicatorLeft, 4, kIndicatorRight, h - 4};
    if (state == ButtonState::Highlighted) {
        HazardStripes(img, slot, 9.f);
    } else {
        Window(img, slot, {0.02f, 0.025f, 0.03f});
        if (state == ButtonState::Pressed) {
            Mask lit(w, h);
            MaskRoundRect(lit, slot.x0 + 2.f, slot.y0 + 2.f, slot.x1 - 2.f, slot.y1 - 2.f, 2.f);
            Paint(img, lit, {0.2f, 0.95f, 0.3f});
            Glow(img, Blur(lit, 4), colours::kGlow, 0.6f);
        }
    }

    // Rivets on the right-hand corners.
    float rr = h >= 60 ? 2.8f : 2.2f;
    float inset = h >= 60 ? 6.5f : 5.5f;
    Rivet(img, w - inset, inset, rr);
    Rivet(img, w - inset, h - inset, rr);

    Rect label = LabelWindow(w, h);
    Window(img, label, {0.03f, 0.05f, 0.045f});
    // Faint scan lines give the window the look of a lit display.
    for (int y = label.y0 + 2; y < label.y1 - 1; y += 2) Shade(img, {label.x0 + 1, y, label.x1 - 1, y + 1}, 0.8f);

    Lettering s;
    s.font = fonts.bold.get();
    s.textSpec = ScreenTextSpec(b.screen, fonts);
    if (state == ButtonState::Normal) {
        s.top = {0.25f, 0.9f, 0.35f};
        s.bottom = {0.05f, 0.6f, 0.16f};
        s.glowRadius = 3;
        s.glowStrength = 0.22f;
    } else {
        s.top = colours::kGreenCore;
        s.bottom = {0.25f, 1.f, 0.35f};
        s.glowRadius = h >= 60 ? 8 : 6;
        s.glowStrength = 0.75f;
    }
    s.shadow = false;
    int lines = static_cast<int>(b.lines.size());
    TextExtent e = s.font->Measure("H", s.textSpec);
    int gap = std::max(4, static_cast<int>(s.textSpec.px * 0.35f));
    int block = lines * e.ascent + (lines - 1) * gap;
    int y = label.y0 + (label.Height() - block) / 2;
    for (const std::string& line : b.lines) {
        DrawTextCentred(img, line, s, {label.x0, y, label.x1, y + e.ascent});
        y += e.ascent + gap;
    }
    return img;
}

}  // namespace

Image RenderButton(const ButtonArt& b, ButtonState state, const Fonts& fonts) {
    Image face = Face(b, state, fonts);
    if (state != ButtonState::Pressed) return face;
    // Pushed in: the whole face one pixel right and down; the uncovered edge is the slot's shadow.
    Image img(face.w, face.h, {0.01f, 0.012f, 0.015f});
    Blit(img, face, 1, 1);
    return img;
}

}  // namespace assetgen
