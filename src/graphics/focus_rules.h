// The keyboard and controller focus of a screen, decided without drawing anything: one index per
// screen into its stops (image buttons, and on settings screens the standard controls), kept
// apart from the hover flags. The focus shows only once the player has navigated on the screen,
// and a real pointer move hides it again; the index stays.
#pragma once

#include <bitset>

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"

namespace zorv {

enum class FocusStep { kNext, kPrevious };

struct Focus {
    int count = 0;
    int index = -1;  // -1: no stop yet, the first step forward takes the first one
    bool visible = false;
};

// A screen's focus as it first appears: on no stop yet, hidden.
constexpr Focus NewFocus(int count) { return Focus{count, -1, false}; }

// Every navigation input moves the focus, the first one included, wrapping at either end, and
// shows it. Returns the new index.
int StepFocus(Focus& focus, FocusStep step);

// The stop an activation (Enter, Space, a controller's button 1) finds while the focus is hidden:
// it shows the focus there (the first stop when there is none yet) and presses nothing, so that
// the player sees what the next press will do. Returns the index.
int RevealFocus(Focus& focus);

enum class Direction { kLeft, kRight, kUp, kDown };

// The button an arrow key or a controller's direction leads to from button `from` of `table`:
// the nearest one lying wholly beyond `from`'s edge on that side, by the distance of the CSS
// Spatial Navigation Level 1 draft (the Euclidean distance between the two rectangles' nearest
// points, plus their offset across the direction weighted 30 for left and right and 2 for up and
// down). `from` itself when none lies that way; the first button when `from` is none (-1).
int NearestButton(const ButtonTable& table, int from, Direction direction);

// Keys held down when a screen appears count only once they have been let go: a key's repeats
// and its release count only when its press came while the screen was up. Keys are the system's
// virtual-key codes.
class KeyPresses {
public:
    void Restart() { seen_.reset(); }
    // A key going down; `repeat` when it was already down (the system's previous-state bit).
    // True when it counts.
    bool Down(unsigned key, bool repeat);
    // A key let go: true when its press counted.
    bool Up(unsigned key);

private:
    std::bitset<256> seen_;
};

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
