#include "graphics/focus_rules.h"

#include <cmath>

namespace zorv {
namespace {

// How far `candidate` stands from `from` towards `direction`; negative when it does not lie
// wholly beyond `from`'s edge on that side.
double SpatialDistance(const ButtonRect& from, const ButtonRect& candidate, Direction direction) {
    double along = 0;  // the gap between the facing edges
    bool horizontal = direction == Direction::kLeft || direction == Direction::kRight;
    switch (direction) {
    case Direction::kLeft: along = from.left - candidate.right; break;
    case Direction::kRight: along = candidate.left - from.right; break;
    case Direction::kUp: along = from.top - candidate.bottom; break;
    case Direction::kDown: along = candidate.top - from.bottom; break;
    }
    if (along < 0) return -1;
    // The gap across the direction between the nearest points, 0 where the two overlap.
    const int low = horizontal ? from.top : from.left, high = horizontal ? from.bottom : from.right;
    const int otherLow = horizontal ? candidate.top : candidate.left;
    const int otherHigh = horizontal ? candidate.bottom : candidate.right;
    const double across = otherHigh <= low ? low - otherHigh : otherLow >= high ? otherLow - high : 0;
    return std::sqrt(along * along + across * across) + across * (horizontal ? 30 : 2);
}

}  // namespace

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

int RevealFocus(Focus& focus) {
    focus.visible = true;
    if (focus.index < 0 || focus.index >= focus.count) focus.index = focus.count > 0 ? 0 : -1;
    return focus.index;
}

int NearestButton(const ButtonTable& table, int from, Direction direction) {
    if (from < 0 || from >= table.count) return table.count > 0 ? 0 : -1;
    int nearest = from;
    double best = 0;
    for (int i = 0; i < table.count; ++i) {
        const double distance = SpatialDistance(table.buttons[from].hot, table.buttons[i].hot, direction);
        if (i == from || distance < 0 || (nearest != from && distance >= best)) continue;
        nearest = i;
        best = distance;
    }
    return nearest;
}

bool KeyPresses::Down(unsigned key, bool repeat) {
    if (key >= seen_.size()) return false;
    if (!repeat) seen_.set(key);
    return seen_.test(key);
}

bool KeyPresses::Up(unsigned key) {
    if (key >= seen_.size()) return false;
    const bool counted = seen_.test(key);
    seen_.reset(key);
    return counted;
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
