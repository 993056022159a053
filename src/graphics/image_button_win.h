// Image buttons: the Win32 side of a screen's buttons. The rules (hit tests, entering and
// leaving, the pending command) are decided by the board in button_rules.h; this layer loads
// the pictures, draws them and plays the interface sounds.
#pragma once

#include <windows.h>

#include <functional>

#include "graphics/button_rules.h"
#include "graphics/drawing_win.h"

namespace zorv {

// The image states a button is drawn in.
enum ImageState { kStateHighlighted = 520, kStatePressed = 521, kStateNormal = 522 };

struct ButtonImages {
    ResourceImage normal, highlighted, pressed;
};

// One screen's buttons at run time: the board and the pictures (owned; released by
// FreeButtons or when the screen record goes).
struct ButtonScreen {
    ButtonBoard board;
    ButtonImages images[kMaxScreenButtons];
    bool imagesNotLoaded = true;
    // The button drawn as the keyboard or controller focus, -1 for none. Drawn highlighted, in
    // every drawing of the screen too.
    int focused = -1;
};

// Sets up `screen` for `table`: rectangles where the table puts them, no hover, no pictures.
void InitButtonScreen(ButtonScreen& screen, const ButtonTable& table);

// Loads every button's pictures once, while the screen's images-not-loaded flag is set.
void LoadScreenImages(HINSTANCE instance, ButtonScreen& screen);

// What a window's one drawing routine, Draw(window, dc, part), draws: its whole picture, every
// button in its normal picture (button -1), or one button in a state.
struct ScreenPart {
    int button = -1;
    int state = kStateNormal;
    bool Whole() const { return button < 0; }
};

// Draws `part` of `screen`'s picture at once, through a context of the window's own.
template <class Screen>
void DrawNow(Screen& screen, HWND window, ScreenPart part = ScreenPart()) {
    WindowDC dc(window);
    if (dc) screen.Draw(window, dc.get(), part);
}

// The same, as the button behaviours below ask for it.
using DrawPartNow = std::function<void(ScreenPart part)>;
template <class Screen>
DrawPartNow Painter(Screen& screen, HWND window) {
    return [&screen, window](ScreenPart part) { DrawNow(screen, window, part); };
}

// The buttons of `part` into `dc`: for the whole picture every button in its normal picture,
// realising each one's palette where its table line says so, and the focused button in its
// highlighted picture; otherwise the one button in its state, through its own palette. A
// picture that failed to load draws nothing.
void DrawButtons(HDC dc, const ButtonScreen& screen, ScreenPart part);

// Pointer moved to `at` (client coordinates): highlight and hover sound on entering, normal
// on leaving, each drawn at once.
void TrackHover(ButtonScreen& screen, POINT at, const DrawPartNow& draw);

// Left button pressed at `at`: the first button hit sounds, pauses if its table says so and is
// drawn pressed at once. Returns its command for the caller to dispatch; 0 when nothing was hit.
int PressButton(ButtonScreen& screen, POINT at, const DrawPartNow& draw);

// Button `index` activated from the keyboard or a controller: exactly what a press on it does.
// Returns its command for the caller to dispatch; 0 when it is not placed.
int PressButtonIndex(ButtonScreen& screen, int index, const DrawPartNow& draw);

// Shows the focus on button `index` (-1: on none). The button losing it is drawn normal unless
// the pointer is on it; the one taking it is drawn highlighted with the hover sound.
void ShowFocus(ButtonScreen& screen, int index, const DrawPartNow& draw);

// Left button released at `at` (dialogs): the button under it is drawn highlighted again.
void HandleRelease(const ButtonScreen& screen, POINT at, const DrawPartNow& draw);

// Clears the hot rectangles and deletes every picture with its palette.
void FreeButtons(ButtonScreen& screen);

// A key message's flags say the key was already down (an auto-repeat, or a key held from before).
inline bool KeyRepeated(LPARAM flags) { return (flags & (1L << 30)) != 0; }

// Whether a pointer move is the player's. Windows also reports a move when a window appears or
// goes under a cursor that stays where it is; only a move of the pointer itself hides the focus.
class PointerMoves {
public:
    // Takes where the cursor stands now as not moved.
    void Start() { Moved(); }
    // True when the cursor stands elsewhere than at the last call.
    bool Moved();

private:
    POINT at_ = {-1, -1};
};

// The client position of the cursor, as the menus read it.
POINT CursorInClient(HWND window);

}  // namespace zorv
