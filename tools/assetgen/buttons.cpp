#include "buttons.h"

#include <algorithm>

#include "audio/audio_buttons.h"
#include "howtoplay/howto_buttons.h"
#include "keys/key_buttons.h"
#include "menus/menu_buttons.h"
#include "style.h"
#include "video/video_buttons.h"

namespace assetgen {

std::string ButtonArt::Words() const {
    std::string s;
    for (const std::string& line : lines) s += (s.empty() ? "" : " ") + line;
    return s;
}

const std::vector<ScreenArt>& ButtonScreens() {
    static const std::vector<ScreenArt> screens = {
        {ButtonScreen::Main, zorv::kMainMenuTable, 23.f, PressedSlot::Lamp},
        {ButtonScreen::Options, zorv::kOptionsMenuTable, 15.f, PressedSlot::Lamp},
        {ButtonScreen::Audio, zorv::kAudioTable, 15.f, PressedSlot::Lamp},
        // The key screen's pressed pictures keep the striped bar and the glowing lettering of
        // the highlighted ones, pushed one pixel right and down.
        {ButtonScreen::Keys, zorv::kKeyButtonTable, 15.f, PressedSlot::Stripes},
        {ButtonScreen::HowToPlay, zorv::kHowToPlayTable, 18.f, PressedSlot::Lamp},
        {ButtonScreen::Video, zorv::kVideoTable, 15.f, PressedSlot::Lamp},
    };
    return screens;
}

const std::vector<ButtonArt>& AllButtons() {
    static const std::vector<ButtonArt> buttons = [] {
        std::vector<ButtonArt> all;
        for (const ScreenArt& screen : ButtonScreens()) {
            for (int i = 0; i < screen.table.count; ++i) {
                const zorv::ButtonSpec& b = screen.table.buttons[i];
                std::vector<std::string> lines;
                std::string label = b.label;
                for (size_t start = 0;;) {
                    size_t end = label.find('\n', start);
                    lines.push_back(label.substr(start, end == std::string::npos ? std::string::npos : end - start));
                    if (end == std::string::npos) break;
                    start = end + 1;
                }
                all.push_back({b.normalResource, b.highlightedResource, b.pressedResource, lines, screen.screen,
                               b.hot.left, b.hot.top, b.hot.right, b.hot.bottom, b.pictureWidth, b.pictureHeight});
            }
        }
        return all;
    }();
    return buttons;
}

std::vector<ButtonArt> MenuButtons() {
    std::vector<ButtonArt> menus;
    for (const ButtonArt& b : AllButtons()) {
        if (b.screen == ButtonScreen::Main || b.screen == ButtonScreen::Options) menus.push_back(b);
    }
    return menus;
}

std::string ButtonResourceScript() {
    std::string script = "// Written by the asset generator from the screens' button tables.\n";
    for (const ButtonArt& b : AllButtons()) {
        for (int id : {b.pressedId, b.normalId, b.highlightedId}) {
            if (id) script += std::to_string(id) + " BITMAP \"btn_" + std::to_string(id) + ".bmp\"\n";
        }
    }
    return script;
}

namespace {

// The label window: the recessed screen that carries the lettering.
Rect LabelWindow(int w, int h) {
    int margin = h >= 60 ? 7 : 5;
    return {kIndicatorRight + 4, margin, w - (h >= 60 ? 13 : 11), h - margin};
}

// One lettering size per screen: the largest at which every button's words fit its window.
TextSpec ScreenTextSpec(ButtonScreen screen, const Fonts& fonts) {
    TextSpec textSpec{15.f, 0.86f, 1.f};
    for (const ScreenArt& art : ButtonScreens()) {
        if (art.screen == screen)
            textSpec = TextSpec{art.letteringPx, screen == ButtonScreen::Main ? 0.92f : 0.86f, 1.f};
    }
    for (const ButtonArt& b : AllButtons()) {
        if (b.screen != screen) continue;
        Rect label = LabelWindow(b.Width(), b.Height());
        for (const std::string& line : b.lines) textSpec = FitWidth(*fonts.bold, line, textSpec, label.Width() - 10);
    }
    return textSpec;
}

PressedSlot PressedSlotOf(ButtonScreen screen) {
    for (const ScreenArt& art : ButtonScreens()) {
        if (art.screen == screen) return art.pressedSlot;
    }
    return PressedSlot::Lamp;
}

// Plate and lettering in the button's own coordinates, without the pressed shift.
Image Face(const ButtonArt& b, ButtonState state, const Fonts& fonts) {
    const int w = b.Width(), h = b.Height();
    Image img(w, h);
    Plate(img, {0, 0, w, h}, colours::kPlate, static_cast<uint32_t>(b.normalId));
    if (state == ButtonState::Pressed) Shade(img, {1, 1, w - 1, h - 1}, 0.82f);

    // Indicator slot at the left: dark when idle, warning stripes when highlighted; when pressed,
    // a green lamp or the stripes, as the screen has it.
    Rect slot{kIndicatorLeft, 4, kIndicatorRight, h - 4};
    const bool stripes = state == ButtonState::Highlighted ||
                         (state == ButtonState::Pressed && PressedSlotOf(b.screen) == PressedSlot::Stripes);
    if (stripes) {
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
