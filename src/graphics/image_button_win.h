// Image buttons: hot rectangles with normal, highlighted and pressed pictures, a hover sound
// and a click sound. Each screen keeps one fixed table of them and one ButtonScreen record;
// the functions here walk the table.
#pragma once

#include <windows.h>

namespace zorv {

// The image states a button is drawn in.
enum ImageState {
    kStateHighlighted = 520,
    kStatePressed = 521,
    kStateNormal = 522,
};

struct ButtonImage {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
};

struct ImageButton {
    int id;
    RECT hot;               // client coordinates; right and bottom edges are outside
    int normalResource;
    int highlightedResource;  // 0: none
    int pressedResource;      // 0: none
    int command;
    DWORD clickPauseMs;     // pause after the click sound, before the pressed picture
    ButtonImage normal;
    ButtonImage highlighted;
    ButtonImage pressed;
    bool hover;
};

using ButtonDispatcher = void (*)(HWND window, HINSTANCE instance, int command);

struct ButtonScreen {
    ImageButton* buttons;
    int count;
    ButtonDispatcher dispatch;
    bool drawAllWithPalettes;
    int pendingCommand;
    bool imagesNotLoaded;
};

extern const char kHoverSound[];  // ".\sound\mmove.wav"
extern const char kClickSound[];  // ".\sound\mclick.wav"

// Plays an interface sound without waiting; a missing file plays nothing.
void PlayInterfaceSound(const char* file);

// Loads the pictures of one button; 1 when every requested picture loaded. A missing normal
// picture stops there.
int LoadButtonImages(HINSTANCE instance, ImageButton& button);

// Loads every button's pictures once, while the screen's images-not-loaded flag is set.
void LoadScreenImages(HINSTANCE instance, ButtonScreen& screen);

// Draws one button in a state; an image that failed to load draws nothing.
void DrawButton(HWND window, const ImageButton& button, int state);

// Draws every button of the screen in its normal picture.
void DrawAllButtons(HWND window, const ButtonScreen& screen);

// Pointer moved to `at` (client coordinates): highlight on entering, normal on leaving.
void TrackHover(HWND window, ButtonScreen& screen, POINT at);

// Left button pressed at `at`: the first button hit sounds, pauses if its table says so, shows
// its pressed picture, and its command goes to the dispatcher (0 when nothing was hit).
void HandleClick(HWND window, HINSTANCE instance, ButtonScreen& screen, POINT at);

// Left button released at `at` (dialogs): the button under it shows highlighted again.
void HandleRelease(HWND window, const ButtonScreen& screen, POINT at);

// Zeroes the hot rectangles and deletes every picture with its palette.
void FreeButtons(ButtonScreen& screen);

// The client position of the cursor, as the menus read it.
POINT CursorInClient(HWND window);

}  // namespace zorv
