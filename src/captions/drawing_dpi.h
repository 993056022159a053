// The captions' display resolution: the one the screens are made for, whatever resolution the
// system reports.
#pragma once

namespace zorv {

// Pixels per inch that text sizes are converted at. The program declares no DPI awareness, so
// Windows tells it 96 on every display and scales its windows as a whole on a denser one; the
// screens are pixel pictures with controls and captions placed in their pixels, so their text
// is made for 96 too. Wine instead tells the program the resolution the user set
// (HKCU\Control Panel\Desktop\LogPixels) and scales nothing, so asking the system would grow
// the text over the pictures.
constexpr int kDrawingDpi = 96;

}  // namespace zorv
