#include "input/scroll_bar.h"

namespace zorv {

int ScrolledValue(int value, int code, int thumbPosition, const ScrollRange& range) {
    switch (code) {
    case kScrollLineLeft:
    case kScrollPageLeft: return value < range.min + range.step ? range.min : value - range.step;
    case kScrollLineRight:
    case kScrollPageRight: return value > range.max - range.step ? range.max : value + range.step;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        return thumbPosition < range.min ? range.min : thumbPosition > range.max ? range.max : thumbPosition;
    case kScrollLeftEnd: return range.min;
    case kScrollRightEnd: return range.max;
    default: return value;
    }
}

}  // namespace zorv
