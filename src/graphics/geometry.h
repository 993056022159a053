// Plane geometry of the screens: where the 640x480 menu window stands on a screen.
#pragma once

namespace zorv {

constexpr int kMenuWidth = 640;
constexpr int kMenuHeight = 480;

struct MenuPlacement {
    int centreX = 0, centreY = 0;
    int x = 0, y = 0;
    int width = kMenuWidth, height = kMenuHeight;
};

// Centres the menu window on the rectangle whose far corner is (right, bottom), with the
// centre ((left + right) / 2, (top + bottom) / 2) truncated toward zero, as the game expects.
MenuPlacement CentreMenu(int left, int top, int right, int bottom);

}  // namespace zorv
