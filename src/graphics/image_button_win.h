// Image buttons: the Win32 side of a screen's buttons. The rules (hit tests, entering and
// leaving, the pending command) are decided by the board in button_rules.h; this layer loads
// the pictures, draws them and plays the interface sounds.
#pragma once

#include <windows.h>

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

// Draws button `index` in a state at its place; a picture that failed to load draws nothing.
void DrawButton(HWND window, const ButtonScreen& screen, int index, int state);

// Draws every button in its normal picture into `dc`, realising each one's palette where its
// table line says so; the focused button in its highlighted picture.
void DrawAllButtons(HDC dc, const ButtonScreen& screen);

// Pointer moved to `at` (client coordinates): highlight and hover sound on entering, normal
// on leaving.
void TrackHover(HWND window, ButtonScreen& screen, POINT at);

// Left button pressed at `at`: the first button hit sounds, pauses if its table says so and
// shows its pressed picture. Returns its command for the caller to dispatch; 0 when nothing
// was hit.
int PressButton(HWND window, ButtonScreen& screen, POINT at);

// Button `index` activated from the keyboard or a controller: exactly what a press on it does.
// Returns its command for the caller to dispatch; 0 when it is not placed.
int PressButtonIndex(HWND window, ButtonScreen& screen, int index);

// Shows the focus on button `index` (-1: on none). The button losing it is drawn normal unless
// the pointer is on it; the one taking it is drawn highlighted with the hover sound.
void ShowFocus(HWND window, ButtonScreen& screen, int index);

// Left button released at `at` (dialogs): the button under it shows highlighted again.
void HandleRelease(HWND window, const ButtonScreen& screen, POINT at);

// Clears the hot rectangles and deletes every picture with its palette.
void FreeButtons(ButtonScreen& screen);

// The client position of the cursor, as the menus read it.
POINT CursorInClient(HWND window);

}  // namespace zorv
