// The intro movie, logo.avi: the title of the main menu coming out of the dark over its green
// floor grid, with yellow corner marks in every frame so that the picture's extent on the screen
// can be checked.
#pragma once

#include "avi.h"
#include "text.h"

namespace assetgen {

constexpr int kMovieW = 320, kMovieH = 240;  // stretched over the whole screen by the program
constexpr int kMovieFps = 15;
constexpr int kMovieFrames = 48;       // 3.2 seconds
constexpr int kCornerMarkLength = 18;  // the arms of each corner mark, movie pixels
constexpr int kCornerMarkWidth = 4;

Movie DrawIntroMovie(const Fonts& fonts);

}  // namespace assetgen
