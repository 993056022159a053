#include "scenes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "buttons.h"
#include "keys/key_buttons.h"
#include "style.h"

namespace assetgen {

namespace {

using colours::kGlow;

// Brushed wall with light falling from the top and darker corners.
Image Wall(int w, int h, uint32_t seed, Rgb base = colours::kWall) {
    Image img(w, h);
    BrushedMetal(img, {0, 0, w, h}, base, seed, 0.12f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float dx = (x - w * 0.5f) / (w * 0.5f), dy = (y - h * 0.45f) / (h * 0.55f);
            float k = (1.15f - 0.35f * static_cast<float>(y) / h) * (1.f - 0.28f * (dx * dx + dy * dy) * 0.5f);
            img.At(x, y) = img.At(x, y) * k;
        }
    return img;
}

// Rivets along the four sides of a rectangle, `pitch` pixels apart.
void RivetFrame(Image& img, const Rect& r, float inset, float pitch, float radius) {
    int nx = std::max(2, static_cast<int>((r.Width() - 2 * inset) / pitch) + 1);
    int ny = std::max(2, static_cast<int>((r.Height() - 2 * inset) / pitch) + 1);
    RivetRow(img, r.x0 + inset, r.x1 - inset, r.y0 + inset, nx, radius);
    RivetRow(img, r.x0 + inset, r.x1 - inset, r.y1 - inset, nx, radius);
    for (int i = 1; i + 1 < ny; ++i) {
        float y = r.y0 + inset + (r.Height() - 2 * inset) * static_cast<float>(i) / (ny - 1);
        Rivet(img, r.x0 + inset, y, radius);
        Rivet(img, r.x1 - inset, y, radius);
    }
}

// Where a plate is mounted: a dark rebate a few pixels around it.
void Mount(Image& img, const Rect& r, int border = 3) { Recess(img, r.Inset(-border), 0.3f); }

void Led(Image& img, float cx, float cy, float r, Rgb colour) {
    Mask ring(img.w, img.h);
    MaskCircle(ring, cx, cy, r + 1.5f);
    Paint(img, ring, {0.01f, 0.01f, 0.012f}, 0.9f);
    Mask dot(img.w, img.h);
    MaskCircle(dot, cx, cy, r);
    Paint(img, dot, colour * 0.85f);
    Glow(img, Blur(dot, 6), colour, 0.8f);
    Mask spot(img.w, img.h);
    MaskCircle(spot, cx - r * 0.3f, cy - r * 0.35f, r * 0.35f);
    Glow(img, spot, {1.f, 1.f, 1.f}, 0.6f);
}

// A glowing wireframe cube: the 3D motif of the options screen.
void WireCube(Image& img, float cx, float cy, float size, float yaw, float pitch) {
    std::array<std::array<float, 3>, 8> v{};
    for (int i = 0; i < 8; ++i) v[i] = {(i & 1) ? 1.f : -1.f, (i & 2) ? 1.f : -1.f, (i & 4) ? 1.f : -1.f};
    std::array<std::array<float, 2>, 8> p{};
    for (int i = 0; i < 8; ++i) {
        float x = v[i][0], y = v[i][1], z = v[i][2];
        float x1 = x * std::cos(yaw) + z * std::sin(yaw), z1 = -x * std::sin(yaw) + z * std::cos(yaw);
        float y1 = y * std::cos(pitch) - z1 * std::sin(pitch), z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
        float persp = 7.f / (7.f + z2);
        p[i] = {cx + x1 * size * persp, cy + y1 * size * persp};
    }
    Mask m(img.w, img.h);
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            int diff = a ^ b;
            if (diff == 1 || diff == 2 || diff == 4) MaskLine(m, p[a][0], p[a][1], p[b][0], p[b][1], 2.f);
        }
    for (const auto& q : p) MaskCircle(m, q[0], q[1], 3.f);
    Glow(img, Blur(m, 10), kGlow, 0.7f);
    Paint(img, m, {0.55f, 1.f, 0.55f});
}

// Header and footer strips shared by the two menu screens.
void FooterStrip(Image& img, const Fonts& fonts, const std::string& left, const std::string& right) {
    Rect strip{0, 446, kScreenW, kScreenH};
    Plate(img, strip, colours::kPlate * 0.85f, 901);
    RivetRow(img, 10, kScreenW - 12, 462, 2, 3.f);
    Rect screen{24, 452, 300, 472};
    Window(img, screen, {0.02f, 0.04f, 0.03f});
    TextSpec textSpec{11.f, 1.f, 1.f};
    DrawPlainText(img, left, *fonts.mono, textSpec, {0.3f, 0.85f, 0.4f}, 32, 466);
    int w = fonts.mono->Measure(right, textSpec).width;
    Rect screen2{kScreenW - 34 - w, 452, kScreenW - 24, 472};
    Window(img, screen2, {0.02f, 0.04f, 0.03f});
    DrawPlainText(img, right, *fonts.mono, textSpec, {0.3f, 0.85f, 0.4f}, static_cast<float>(screen2.x0 + 5), 466);
}

// Every mount first, then the pictures: buttons that touch must not shade each other.
void PlaceButtons(Image& img, ButtonScreen screen, const Fonts& fonts) {
    for (const ButtonArt& b : AllButtons()) {
        if (b.screen == screen) Mount(img, {b.left, b.top, b.left + b.Width(), b.top + b.Height()});
    }
    for (const ButtonArt& b : AllButtons()) {
        if (b.screen == screen) Blit(img, RenderButton(b, ButtonState::Normal, fonts), b.left, b.top);
    }
}

Lettering HeadingStyle(const Fonts& fonts, float px) {
    Lettering s;
    s.font = fonts.bold.get();
    s.textSpec = TextSpec{px, 0.95f, 1.f};
    s.top = colours::kGreenCore;
    s.bottom = {0.1f, 0.85f, 0.25f};
    s.glowRadius = std::max(3, static_cast<int>(px / 5));
    s.glowStrength = 0.6f;
    s.outline = 1;
    return s;
}

Lettering LabelStyle(const Fonts& fonts, float px) {
    Lettering s;
    s.font = fonts.bold.get();
    s.textSpec = TextSpec{px, 0.95f, 0.5f};
    s.top = {0.45f, 1.f, 0.5f};
    s.bottom = {0.1f, 0.78f, 0.25f};
    s.glowRadius = 3;
    s.glowStrength = 0.3f;
    return s;
}

}  // namespace

// Green perspective floor grid between the horizon and the bottom of `area`, fading into the distance.
void FloorGrid(Image& img, const Rect& area, float horizon, float vanishX, float strength) {
    Mask lines(img.w, img.h);
    float depth = area.y1 - horizon;
    for (int i = -24; i <= 24; ++i) {
        float bottomX = vanishX + i * 70.f;
        MaskLine(lines, vanishX + i * 3.f, horizon, bottomX, static_cast<float>(area.y1), 1.2f);
    }
    for (int k = 1; k < 30; ++k) {
        float z = 1.f + k * 0.55f;
        float y = horizon + depth * 2.2f / (z * z);
        if (y >= area.y1 || y <= horizon + 1) continue;
        MaskLine(lines, static_cast<float>(area.x0), y, static_cast<float>(area.x1), y, 1.1f);
    }
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            float fade = (y <= horizon || y < area.y0 || y >= area.y1 || x < area.x0 || x >= area.x1)
                             ? 0.f
                             : std::min(1.f, (y - horizon) / (depth * 0.8f));
            lines.At(x, y) *= fade;
        }
    Glow(img, Blur(lines, 5), kGlow, strength * 0.6f);
    Glow(img, lines, {0.1f, 0.8f, 0.25f}, strength);
}

// The big title lettering.
Lettering TitleStyle(const Fonts& fonts, float px) {
    Lettering s;
    s.font = fonts.bold.get();
    s.textSpec = TextSpec{px, 0.9f, 2.f};
    s.top = {0.82f, 1.f, 0.78f};
    s.bottom = {0.02f, 0.62f, 0.14f};
    s.glowRadius = static_cast<int>(px / 7);
    s.glowStrength = 0.85f;
    s.outline = std::max(2, static_cast<int>(px / 36));
    return s;
}

Image DrawFrameBackground() {
    Image img = Wall(kScreenW, kScreenH, 11, colours::kWall * 0.55f);
    for (int x = 80; x < kScreenW; x += 160) SeamV(img, x, 0, kScreenH);
    for (int y = 120; y < kScreenH; y += 120) SeamH(img, 0, kScreenW, y);
    return img;
}

Image DrawMainMenu(const Fonts& fonts) {
    Image img = Wall(kScreenW, kScreenH, 21);

    // Floor grid under the title, and panel seams on the wall above it.
    FloorGrid(img, {0, 246, kScreenW, 446}, 246.f, 250.f, 0.55f);
    SeamH(img, 0, kScreenW, 246);
    SeamV(img, 240, 80, 246);
    SeamV(img, 450, 80, 246);

    // Header: a riveted plate with the screen name and status lights, over a warning stripe.
    Rect header{0, 0, kScreenW, 70};
    Plate(img, header, colours::kPlate * 0.9f, 31);
    HazardStripes(img, {0, 70, kScreenW, 78}, 14.f);
    RivetRow(img, 10, kScreenW - 12, 10, 2, 3.f);
    RivetRow(img, 10, kScreenW - 12, 59, 2, 3.f);
    Rect readout{24, 16, 250, 54};
    Window(img, readout, {0.02f, 0.05f, 0.035f});
    DrawPlainText(img, "SYSTEM READY", *fonts.mono, {13.f, 1.f, 1.f}, {0.35f, 0.95f, 0.45f}, 36, 32);
    DrawPlainText(img, "SELECT A MISSION", *fonts.mono, {11.f, 1.f, 1.f}, {0.25f, 0.7f, 0.35f}, 36, 47);
    Fill(img, {172, 23, 180, 34}, {0.35f, 0.95f, 0.45f});  // the cursor block
    DrawTextCentred(img, "MAIN MENU", HeadingStyle(fonts, 24.f), {262, 14, 448, 56});
    Rect lights{468, 16, 614, 54};
    Window(img, lights, {0.025f, 0.03f, 0.035f});
    const char* names[] = {"PWR", "NET", "GFX"};
    for (int i = 0; i < 3; ++i) {
        float cx = 490.f + i * 48.f;
        Led(img, cx, 28.f, 4.f, i == 1 ? Rgb{1.f, 0.72f, 0.05f} : Rgb{0.2f, 1.f, 0.3f});
        DrawPlainText(img, names[i], *fonts.mono, {9.f, 1.f, 0.5f}, {0.55f, 0.62f, 0.68f}, cx - 9.f, 49.f);
    }

    // Conduits from the side buttons and START GAME into the central emblem.
    Mask pipes(img.w, img.h);
    MaskLine(pipes, 208, 188, 300, 188, 7.f);
    MaskLine(pipes, 390, 188, 462, 188, 7.f);
    MaskLine(pipes, 345, 174, 345, 182, 7.f);
    Paint(img, pipes, {0.015f, 0.018f, 0.022f});
    Mask core(img.w, img.h);
    MaskLine(core, 208, 188, 300, 188, 2.f);
    MaskLine(core, 390, 188, 462, 188, 2.f);
    Glow(img, Blur(core, 5), kGlow, 0.5f);
    Paint(img, core, {0.3f, 1.f, 0.4f}, 0.9f);

    // Central emblem: a radar dish between the buttons.
    const float ex = 345.f, ey = 210.f;
    Mask disc(img.w, img.h);
    MaskCircle(disc, ex, ey, 34.f);
    Paint(img, disc, {0.02f, 0.04f, 0.03f});
    Mask rim(img.w, img.h);
    MaskRing(rim, ex, ey, 36.f, 4.f);
    PaintFn(img, rim, [&](int x, int y) {
        float k = 0.5f - 0.5f * ((x - ex) + (y - ey)) / 50.f;
        return colours::kPlate * (0.6f + 0.9f * std::max(0.f, k));
    });
    Mask radar(img.w, img.h);
    MaskRing(radar, ex, ey, 28.f, 1.2f);
    MaskRing(radar, ex, ey, 18.f, 1.f);
    MaskRing(radar, ex, ey, 8.f, 1.f);
    MaskLine(radar, ex - 31, ey, ex + 31, ey, 1.f);
    MaskLine(radar, ex, ey - 31, ex, ey + 31, 1.f);
    Glow(img, Blur(radar, 4), kGlow, 0.5f);
    Paint(img, radar, {0.2f, 0.85f, 0.3f}, 0.9f);
    Mask sweep(img.w, img.h);
    MaskPolygon(sweep, {ex, ey, ex + 30.f, ey - 8.f, ex + 22.f, ey - 21.f});
    Glow(img, sweep, kGlow, 0.55f);
    Mask blip(img.w, img.h);
    MaskCircle(blip, ex + 14.f, ey - 11.f, 2.2f);
    MaskCircle(blip, ex - 16.f, ey + 9.f, 1.8f);
    Glow(img, Blur(blip, 4), kGlow, 1.f);
    Paint(img, blip, colours::kGreenCore);

    // The title over the floor grid, left of the OPTION button.
    Lettering title = TitleStyle(fonts, 104.f);
    title.textSpec = FitWidth(*title.font, "ZORV 3D", title.textSpec, 440);
    TextExtent te = title.font->Measure("ZORV 3D", title.textSpec);
    float tx = std::round(244.f - te.width * 0.5f);
    DrawText(img, "ZORV 3D", title, tx, 380.f);
    Lettering tag = LabelStyle(fonts, 13.f);
    tag.textSpec.tracking = 3.f;
    DrawTextCentred(img, "ARENA COMBAT IN THREE DIMENSIONS", tag, {24, 396, 464, 420});

    // Vent grille under OPTION.
    Rect grille{492, 372, 626, 432};
    Plate(img, grille.Inset(-4), colours::kPlate * 0.8f, 41);
    Vents(img, grille.Inset(6), 6);

    PlaceButtons(img, ButtonScreen::Main, fonts);
    FooterStrip(img, fonts, "ZORV 3D  V1.0", "TWO PLAYERS  LOCAL OR NETWORK");
    return img;
}

Image DrawOptionsMenu(const Fonts& fonts) {
    Image img = Wall(kScreenW, kScreenH, 22);

    // Left: the rack that holds the five option buttons.
    Rect rack{6, 44, 218, 358};
    Plate(img, rack, colours::kPlate * 0.85f, 51);
    RivetFrame(img, rack, 7.f, 300.f, 2.8f);
    DrawPlainText(img, "SETUP", *fonts.mono, {9.f, 1.f, 2.f}, {0.55f, 0.62f, 0.68f}, 24.f, 57.f);
    PlaceButtons(img, ButtonScreen::Options, fonts);
    Rect under{6, 366, 218, 440};
    Plate(img, under, colours::kPlate * 0.75f, 52);
    Vents(img, under.Inset(10), 5);

    // Right: the heading over a warning stripe, then a display panel.
    DrawTextCentred(img, "OPTIONS", TitleStyle(fonts, 64.f), {232, 14, 634, 82});
    HazardStripes(img, {236, 92, 632, 100}, 14.f);

    Rect frame{236, 110, 632, 438};
    Plate(img, frame, colours::kPlate * 0.9f, 53);
    RivetFrame(img, frame, 8.f, 380.f, 3.f);
    Rect screen{252, 124, 616, 424};
    Window(img, screen, {0.02f, 0.045f, 0.035f});
    // Screen contents: a grid floor with the cube above it, then the list of settings.
    FloorGrid(img, screen.Inset(2), 258.f, 434.f, 0.35f);
    WireCube(img, 434.f, 190.f, 40.f, 0.65f, 0.5f);
    for (int y = screen.y0 + 2; y < screen.y1 - 1; y += 3) Shade(img, {screen.x0 + 1, y, screen.x1 - 1, y + 1}, 0.85f);

    struct Line {
        const char* item;
        const char* text;
    } lines[] = {
        {"INPUT", "keys for both players"},
        {"AUDIO", "music and sound volume"},
        {"VIDEO", "OpenGL driver, display mode"},
        {"HELP", "how to play, in three pages"},
    };
    TextSpec mono{12.f, 1.f, 0.f};
    float y = 288.f;
    Rect listBox{264, 272, 604, 412};
    Recess(img, listBox, 0.7f);
    for (const Line& l : lines) {
        DrawPlainText(img, std::string("> ") + l.item, *fonts.mono, mono, {0.45f, 1.f, 0.5f}, 276.f, y + 12.f);
        DrawPlainText(img, l.text, *fonts.mono, mono, {0.3f, 0.75f, 0.4f}, 376.f, y + 12.f);
        y += 30.f;
    }

    FooterStrip(img, fonts, "ZORV 3D  SETUP", "CLOSE RETURNS TO THE MAIN MENU");
    return img;
}

Image DrawKeySetup(const Fonts& fonts) {
    // The picture is stretched over the dialog's client area (638 × 478 at two pixels per dialog
    // unit), so positions given in client pixels are scaled up by 640/638 and 480/478.
    auto X = [](float x) { return x * kScreenW / 638.f; };
    auto Y = [](float y) { return y * kScreenH / 478.f; };
    auto R = [&](int x, int y, int w, int h) {
        return Rect{static_cast<int>(std::lround(X(static_cast<float>(x)))),
                    static_cast<int>(std::lround(Y(static_cast<float>(y)))),
                    static_cast<int>(std::lround(X(static_cast<float>(x + w)))),
                    static_cast<int>(std::lround(Y(static_cast<float>(y + h))))};
    };

    Image img = Wall(kScreenW, kScreenH, 23);
    DrawTextCentred(img, "INPUT DEVICE SETUP", HeadingStyle(fonts, 24.f), {0, 4, kScreenW, 38});
    HazardStripes(img, {0, 38, kScreenW, 42}, 12.f);

    // Key fields in client pixels, from the screen's own table: each player's six in slot order.
    struct Field {
        int x, y;
        const char* label;
        bool labelRight;
    };
    const zorv::ButtonRect firstField = zorv::kKeyFields[0].Pixels();
    const int fw = firstField.Width(), fh = firstField.Height();
    std::array<Field, 6> p1{}, p2{};
    for (int slot = 0; slot < zorv::kKeyFieldCount; ++slot) {
        const zorv::KeyFieldPlace& place = zorv::kKeyFields[slot];
        const zorv::ButtonRect px = place.Pixels();
        (place.player == 1 ? p1 : p2)[slot % 6] = {px.left, px.top, place.action, std::string(place.action) == "RIGHT"};
    }
    auto Place = [&](const zorv::ButtonRect& r) { return R(r.left, r.top, r.Width(), r.Height()); };

    struct PlayerPanel {
        Rect panel;
        const char* name;
        const std::array<Field, 6>* fields;
        Rect joystick;  // the place below the player's fields
    } players[] = {
        {R(12, 48, 342, 340), "PLAYER 1", &p1, Place(zorv::kJoystickLeftPlace)},
        {R(360, 48, 266, 340), "PLAYER 2", &p2, Place(zorv::kJoystickRightPlace)},
    };

    Lettering label = LabelStyle(fonts, 11.f);
    label.textSpec.condense = 0.9f;
    for (const PlayerPanel& pp : players) {
        Plate(img, pp.panel, colours::kPlate * 0.72f, static_cast<uint32_t>(pp.panel.x0));
        RivetFrame(img, pp.panel, 7.f, 400.f, 2.6f);
        const std::array<Field, 6>& f = *pp.fields;
        // Player name centred over the cross of fields.
        float crossCentre = (f[1].x + f[2].x + fw) * 0.5f;
        Rect nameBox = R(static_cast<int>(crossCentre) - 80, 52, 160, 18);
        DrawTextCentred(img, pp.name, HeadingStyle(fonts, 16.f), nameBox);

        // The cross of direction fields sits on a sunk plus-shaped channel.
        Mask cross(img.w, img.h);
        float cx = X(crossCentre), cy = Y(f[1].y + fh * 0.5f);
        MaskRoundRect(cross, X(f[1].x - 6.f), cy - Y(10.f), X(f[2].x + fw + 6.f), cy + Y(10.f), 4.f);
        MaskRoundRect(cross, cx - X(10.f), Y(f[0].y - 6.f), cx + X(10.f), Y(f[3].y + fh + 6.f), 4.f);
        Paint(img, cross, {0.015f, 0.02f, 0.025f}, 0.6f);

        for (const Field& fld : f) {
            Rect slot = R(fld.x, fld.y, fw, fh).Inset(-4);
            Window(img, slot, {0.03f, 0.035f, 0.04f});
            TextExtent e = label.font->Measure(fld.label, label.textSpec);
            float baseline = std::round(Y(fld.y + fh * 0.5f) + e.ascent * 0.5f);
            float x = fld.labelRight ? X(fld.x + fw + 8.f) : X(fld.x - 8.f) - e.width;
            DrawText(img, fld.label, label, std::round(x), baseline);
        }
        // The joystick place with its caption.
        Rect j = pp.joystick;
        Mount(img, j, 4);
        Rect cap{j.x0 - 30, j.y0 - 26, j.x1 + 30, j.y0 - 6};
        std::string joyCaption = std::string(pp.name) + " JOYSTICK";
        DrawTextCentred(img, joyCaption, LabelStyle(fonts, 11.f), cap);
    }

    // Bottom: the hint, and the bay for DONE, RESET and CANCEL.
    Rect hint = R(12, 410, 196, 58);
    Window(img, hint, {0.02f, 0.045f, 0.035f});
    TextSpec mono{11.f, 1.f, 0.f};
    const char* hints[] = {"CLICK A FIELD,", "THEN PRESS THE KEY", "YOU WANT FOR IT."};
    for (int i = 0; i < 3; ++i)
        DrawPlainText(img, hints[i], *fonts.mono, mono, {0.35f, 0.9f, 0.45f}, hint.x0 + 10.f,
                      hint.y0 + 18.f + i * 15.f);
    Rect bay = R(216, 412, 416, 56);
    Plate(img, bay, colours::kPlate * 0.8f, 71);
    for (int i = 0; i < zorv::kJoystickLeftIndex; ++i) {
        const zorv::ButtonSpec& b = zorv::kKeyButtons[i];
        Mount(img, R(b.hot.left, b.hot.top, b.pictureWidth, b.pictureHeight), 3);
    }
    return img;
}

Image DrawSmallWindow() {
    Image img(kSmallWinW, kSmallWinH);
    Plate(img, {0, 0, kSmallWinW, kSmallWinH}, colours::kPlate * 0.9f, 81);
    RivetFrame(img, {0, 0, kSmallWinW, kSmallWinH}, 7.f, 300.f, 2.8f);
    // Upper area, where the captions and controls go: a deep, evenly dark panel, so that the
    // green captions read wherever the two dialogs put them.
    Rect upper{12, 12, kSmallWinW - 12, 208};
    BrushedMetal(img, upper, Rgb{0.07f, 0.08f, 0.095f}, 82, 0.08f);
    Recess(img, upper, 1.f);
    // Corner brackets frame the panel.
    Mask brackets(img.w, img.h);
    const float bx0 = upper.x0 + 6.f, by0 = upper.y0 + 6.f, bx1 = upper.x1 - 7.f, by1 = upper.y1 - 7.f, len = 14.f;
    for (float x : {bx0, bx1})
        for (float y : {by0, by1}) {
            float dx = x == bx0 ? len : -len, dy = y == by0 ? len : -len;
            MaskLine(brackets, x, y, x + dx, y, 1.5f);
            MaskLine(brackets, x, y, x, y + dy, 1.5f);
        }
    Glow(img, Blur(brackets, 3), colours::kGlow, 0.25f);
    Paint(img, brackets, {0.2f, 0.7f, 0.3f}, 0.9f);
    HazardStripes(img, {12, 213, kSmallWinW - 12, 219}, 12.f);
    // Lower bay for the two image buttons (client rows 230 to 314 in both dialogs).
    Rect bay{30, 224, kSmallWinW - 30, 328};
    Recess(img, bay, 0.45f);
    RivetRow(img, 20, kSmallWinW - 20, 340, 2, 2.6f);
    return img;
}

Image DrawHowToPlay(int page, const Fonts& fonts) {
    Image img(kHowW, kHowH);
    Plate(img, {0, 0, kHowW, kHowH}, colours::kPlate * 0.9f, 90 + static_cast<uint32_t>(page));

    Rect titleBar{8, 8, kHowW - 8, 38};
    Window(img, titleBar, {0.02f, 0.045f, 0.035f});
    std::string title = "HOW TO PLAY " + std::to_string(page + 1) + "/3";
    DrawTextCentred(img, title, HeadingStyle(fonts, 16.f), titleBar);

    Rect body{8, 44, kHowW - 8, 286};
    Window(img, body, {0.03f, 0.04f, 0.045f});
    // Button bay under the page, with previous, next and CLOSE where they stand, so that the page
    // looks the same before and after the buttons are drawn over it.
    Rect bay{6, 290, kHowW - 6, 337};
    Recess(img, bay, 0.5f);
    PlaceButtons(img, ButtonScreen::HowToPlay, fonts);

    const Font& sans = *fonts.sans;
    TextSpec text{11.f, 1.f, 0.f};
    Lettering heading = LabelStyle(fonts, 12.f);
    const float left = 18.f, width = static_cast<float>(body.x1 - 10) - left;
    float y = 64.f;
    auto headingLine = [&](const char* s) {
        DrawText(img, s, heading, left, y);
        y += 17.f;
    };
    auto paragraph = [&](const std::string& s) {
        for (const std::string& line : Wrap(sans, text, s, static_cast<int>(width))) {
            DrawPlainText(img, line, sans, text, colours::kBodyText, left, y);
            y += 14.f;
        }
        y += 5.f;
    };
    auto table = [&](const std::vector<std::pair<std::string, std::string>>& rows, float column) {
        for (const auto& row : rows) {
            TextSpec key = text;
            key.condense = 0.92f;
            DrawPlainText(img, row.first, *fonts.bold, key, {0.45f, 1.f, 0.5f}, left, y);
            DrawPlainText(img, row.second, sans, text, colours::kBodyText, left + column, y);
            y += 15.f;
        }
        y += 5.f;
    };

    if (page == 0) {
        headingLine("THE GOAL");
        paragraph(
            "Two pilots meet in a 3D arena. Outfly your rival and shoot first: "
            "the last craft flying wins the round.");
        headingLine("MOVING AND FIRING");
        table({{"UP", "fly forward"},
               {"DOWN", "brake and reverse"},
               {"LEFT, RIGHT", "turn"},
               {"FIRE 1", "main cannon"},
               {"FIRE 2", "missiles"}},
              92.f);
        paragraph(
            "Each player has these six keys. Page 2 shows them; you can change them "
            "in the options.");
    } else if (page == 1) {
        headingLine("THE PLAYERS' KEYS");
        // Two key diagrams side by side.
        auto key = [&](float cx, float cy, float w, const std::string& cap, int arrow) {
            Rect r{static_cast<int>(cx - w / 2), static_cast<int>(cy - 10), static_cast<int>(cx + w / 2),
                   static_cast<int>(cy + 10)};
            Plate(img, r, colours::kPlate * 1.1f, static_cast<uint32_t>(cx * 7 + cy));
            if (arrow >= 0) {
                // 0 up, 1 left, 2 right, 3 down
                static const float dirs[4][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
                float dx = dirs[arrow][0], dy = dirs[arrow][1];
                float ax = cx + 0.5f, ay = cy + 0.5f;
                Mask m(img.w, img.h);
                MaskPolygon(m, {ax + dx * 5, ay + dy * 5, ax - dx * 4 + dy * 5, ay - dy * 4 - dx * 5,
                                ax - dx * 4 - dy * 5, ay - dy * 4 + dx * 5});
                Paint(img, m, {0.45f, 1.f, 0.5f});
            } else {
                Lettering s = LabelStyle(fonts, cap.size() > 1 ? 9.f : 11.f);
                s.glowStrength = 0.15f;
                DrawTextCentred(img, cap, s, r.Offset(0, -1));
            }
        };
        auto pad = [&](float cx, float top, const char* name, const std::array<std::string, 4>& caps,
                       const std::string& fire1, const std::string& fire2, bool arrows) {
            DrawTextCentred(img, name, LabelStyle(fonts, 11.f),
                            {static_cast<int>(cx - 60), static_cast<int>(top), static_cast<int>(cx + 60),
                             static_cast<int>(top + 12)});
            float ky = top + 32;
            key(cx, ky, 22, caps[0], arrows ? 0 : -1);
            key(cx - 24, ky + 23, 22, caps[1], arrows ? 1 : -1);
            key(cx, ky + 23, 22, caps[3], arrows ? 3 : -1);
            key(cx + 24, ky + 23, 22, caps[2], arrows ? 2 : -1);
            key(cx - 20, ky + 56, 36, fire1, -1);
            key(cx + 20, ky + 56, 36, fire2, -1);
            TextSpec small{9.f, 1.f, 0.f};
            for (int i = 0; i < 2; ++i) {
                const char* cap = i == 0 ? "FIRE 1" : "FIRE 2";
                float w = static_cast<float>(fonts.bold->Measure(cap, small).width);
                DrawPlainText(img, cap, *fonts.bold, small, {0.55f, 0.7f, 0.6f},
                              std::round(cx + (i == 0 ? -20.f : 20.f) - w / 2), ky + 79);
            }
        };
        pad(74.f, y - 2, "PLAYER 1", {"", "", "", ""}, "[", "]", true);
        pad(204.f, y - 2, "PLAYER 2", {"W", "A", "D", "S"}, "SHIFT", "CTRL", false);
        y += 128.f;
        headingLine("CHANGING THEM");
        paragraph(
            "In OPTION, SETUP INPUT DEVICE, click a field and press the new key. "
            "JOYSTICK 1 and 2 swap the joysticks between the players; RESET brings "
            "these keys back.");
    } else {
        headingLine("THE MENUS");
        table({{"START GAME", "two players, one PC"},
               {"NETWORK GAME", "play over a network"},
               {"OPTION", "the settings below"},
               {"QUIT ZORV 3D", "back to Windows"}},
              110.f);
        headingLine("OPTIONS");
        table({{"INPUT DEVICE", "keys and joysticks"},
               {"AUDIO", "music, sound volume"},
               {"VIDEO", "driver, display mode"}},
              110.f);
        headingLine("BEFORE THE FIRST GAME");
        paragraph(
            "Choose your 3D card's OpenGL driver in VIDEO CALIBRATION. If the game "
            "cannot start the card, you will be told so.");
    }
    return img;
}

}  // namespace assetgen
