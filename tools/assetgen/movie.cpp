#include "movie.h"

#include <algorithm>
#include <cmath>

#include "palette.h"
#include "scenes.h"
#include "style.h"

namespace assetgen {

namespace {

float Smooth(float from, float to, float t) {
    float k = std::clamp((t - from) / (to - from), 0.f, 1.f);
    return k * k * (3.f - 2.f * k);
}

// Screen blend of two light layers, each scaled: never brighter than white.
Rgb Screen(Rgb a, float ka, Rgb b, float kb) {
    auto one = [](float x, float y) { return 1.f - (1.f - x) * (1.f - y); };
    return {one(a.r * ka, b.r * kb), one(a.g * ka, b.g * kb), one(a.b * ka, b.b * kb)};
}

void CornerMarks(Image& img) {
    const int l = kCornerMarkLength, w = kCornerMarkWidth, W = img.w, H = img.h;
    const Rect arms[] = {
        {0, 0, l, w},         {0, 0, w, l},          // top left
        {W - l, 0, W, w},     {W - w, 0, W, l},      // top right
        {0, H - w, l, H},     {0, H - l, w, H},      // bottom left
        {W - l, H - w, W, H}, {W - w, H - l, W, H},  // bottom right
    };
    for (const Rect& r : arms) Fill(img, r, colours::kYellow);
}

}  // namespace

Movie DrawIntroMovie(const Fonts& fonts) {
    const int W = kMovieW, H = kMovieH;
    // The two layers on black: the floor grid, and the title with its tag line.
    Image grid(W, H);
    FloorGrid(grid, {0, H / 2, W, H}, H / 2.f, W / 2.f, 0.7f);

    Image title(W, H);
    Lettering big = TitleStyle(fonts, 64.f);
    big.textSpec = FitWidth(*big.font, "ZORV 3D", big.textSpec, W - 60);
    TextExtent te = big.font->Measure("ZORV 3D", big.textSpec);
    DrawText(title, "ZORV 3D", big, std::round((W - te.width) * 0.5f), std::round(H * 0.47f));
    Lettering tag = TitleStyle(fonts, 11.f);
    tag.textSpec.tracking = 1.f;
    tag.outline = 0;
    tag.glowRadius = 2;
    tag.glowStrength = 0.3f;
    DrawTextCentred(title, "ARENA COMBAT IN THREE DIMENSIONS", tag, {0, H * 55 / 100, W, H * 62 / 100});

    Movie movie;
    movie.width = W;
    movie.height = H;
    movie.framesPerSecond = kMovieFps;
    movie.palette = GamePalette();
    for (int f = 0; f < kMovieFrames; ++f) {
        float t = static_cast<float>(f) / (kMovieFrames - 1);
        // The grid rises first; the title follows and holds for the last part.
        float kg = Smooth(0.f, 0.45f, t), kt = Smooth(0.2f, 0.75f, t);
        Image frame(W, H);
        for (size_t i = 0; i < frame.px.size(); ++i) frame.px[i] = Screen(grid.px[i], kg, title.px[i], kt);
        CornerMarks(frame);
        movie.frames.push_back(QuantizeFlat(frame));
    }
    return movie;
}

}  // namespace assetgen
