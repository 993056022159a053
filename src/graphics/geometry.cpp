#include "graphics/geometry.h"

namespace zorv {

MenuPlacement CentreMenu(int left, int top, int right, int bottom) {
    MenuPlacement p;
    // In 64 bits so that no screen size overflows the sum.
    p.centreX = static_cast<int>((static_cast<long long>(left) + right) / 2);
    p.centreY = static_cast<int>((static_cast<long long>(top) + bottom) / 2);
    p.x = p.centreX - kMenuWidth / 2;
    p.y = p.centreY - kMenuHeight / 2;
    return p;
}

}  // namespace zorv
