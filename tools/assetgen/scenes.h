// The full pictures of the game folder's resource\background\ directory.
#pragma once

#include "raster.h"
#include "style.h"
#include "text.h"

namespace assetgen {

// Sizes of the pictures as the program uses them.
constexpr int kScreenW = 640, kScreenH = 480;      // frame, menus and key dialog
constexpr int kSmallWinW = 280, kSmallWinH = 352;  // audio and video dialogs (scaled into them)
constexpr int kHowW = 280, kHowH = 340;            // how-to-play pages (1:1)
constexpr int kHowPages = 3;

Image DrawFrameBackground();
// The menus carry their buttons' normal pictures where the buttons stand, so that the screen
// looks the same before and after the buttons are drawn over it.
Image DrawMainMenu(const Fonts& fonts);
Image DrawOptionsMenu(const Fonts& fonts);
Image DrawKeySetup(const Fonts& fonts);
Image DrawSmallWindow();
Image DrawHowToPlay(int page, const Fonts& fonts);  // page 0..2

// Pieces of the main menu's art that the intro movie shares.
// Green perspective floor grid between the horizon and the bottom of `area`, fading into the distance.
void FloorGrid(Image& img, const Rect& area, float horizon, float vanishX, float strength);
// The big title lettering at `px` pixels.
Lettering TitleStyle(const Fonts& fonts, float px);

}  // namespace assetgen
