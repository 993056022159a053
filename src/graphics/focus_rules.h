// The keyboard and controller focus of a screen, decided without drawing anything: one index per
// screen into its stops (image buttons, and on settings screens the standard controls), kept
// apart from the hover flags. The focus shows only once the player has navigated on the screen,
// and a real pointer move hides it again; the index stays.
#pragma once

#include "graphics/screen_spec.h"

namespace zorv {

enum class FocusStep { kNext, kPrevious };

struct Focus {
    int count = 0;
    int index = 0;  // -1: no stop yet, the first step forward takes the first one
    bool visible = false;
};

// Every navigation input moves the focus, the first one included, wrapping at either end, and
// shows it. Returns the new index.
int StepFocus(Focus& focus, FocusStep step);

// A stop of a settings screen: a standard control by its id, or an image button by its index
// in the screen's table.
struct FocusStop {
    bool isButton;
    int value;
};

constexpr int kMaxFocusStops = 24;

// A settings screen's stops: its controls in the order of its template, then its image buttons
// in the order they stand (top to bottom, then left to right). Returns how many, at most
// kMaxFocusStops.
int FocusStops(const ScreenSpec& screen, FocusStop* stops);

// The stop of control `controlId` or of button `buttonIndex` among `stops`; -1 when absent.
int FindStop(const FocusStop* stops, int count, bool isButton, int value);

}  // namespace zorv
