#include "graphics/focus_rules.h"

namespace zorv {

int StepFocus(Focus& focus, FocusStep step) {
    focus.visible = true;
    if (focus.count <= 0) return focus.index = -1;
    if (focus.index < 0 || focus.index >= focus.count) {
        focus.index = step == FocusStep::kNext ? 0 : focus.count - 1;
    } else {
        const int delta = step == FocusStep::kNext ? 1 : focus.count - 1;
        focus.index = (focus.index + delta) % focus.count;
    }
    return focus.index;
}

int FocusStops(const ScreenSpec& screen, FocusStop* stops) {
    int count = 0;
    for (int i = 0; i < screen.controls.count && count < kMaxFocusStops; ++i)
        stops[count++] = FocusStop{false, screen.controls.entries[i].controlId};
    const int firstButton = count;
    for (int i = 0; i < screen.buttons.count && count < kMaxFocusStops; ++i) {
        // Insertion by place: above first, then further left.
        const ButtonRect& hot = screen.buttons.buttons[i].hot;
        int at = count;
        while (at > firstButton) {
            const ButtonRect& other = screen.buttons.buttons[stops[at - 1].value].hot;
            if (other.top < hot.top || (other.top == hot.top && other.left <= hot.left)) break;
            stops[at] = stops[at - 1];
            --at;
        }
        stops[at] = FocusStop{true, i};
        ++count;
    }
    return count;
}

int FindStop(const FocusStop* stops, int count, bool isButton, int value) {
    for (int i = 0; i < count; ++i) {
        if (stops[i].isButton == isButton && stops[i].value == value) return i;
    }
    return -1;
}

}  // namespace zorv
