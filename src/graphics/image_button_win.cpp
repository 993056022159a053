#include "graphics/image_button_win.h"

#include "common/game_files.h"
#include "common/gdi_guards_win.h"
#include "common/multimedia_win.h"

namespace zorv {

namespace {

const ResourceImage& ImageFor(const ButtonImages& images, int state) {
    switch (state) {
    case kStateHighlighted: return images.highlighted;
    case kStatePressed: return images.pressed;
    default: return images.normal;
    }
}

void Blit(HDC target, HDC memory, const ResourceImage& image, const ButtonRect& hot) {
    SelectedObject selected(memory, image.bitmap.get());
    BITMAP size = {};
    GetObjectA(image.bitmap.get(), sizeof size, &size);
    BitBlt(target, hot.left, hot.top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
}

int Count(const ButtonScreen& screen) { return screen.board.table.count; }

// Plays an interface sound without waiting; a missing file plays nothing.
void PlayInterfaceSound(const char* file) { SndPlaySound(file, SND_ASYNC | SND_NODEFAULT); }

// The pictures of button `index`; a button whose normal picture is missing loads no other.
void LoadButtonImages(HINSTANCE instance, ButtonScreen& screen, int index) {
    const ButtonSpec& button = screen.board.table.buttons[index];
    ButtonImages& images = screen.images[index];
    images.normal = LoadResourceBitmap(instance, button.normalResource);
    if (!images.normal) return;
    if (button.highlightedResource) images.highlighted = LoadResourceBitmap(instance, button.highlightedResource);
    if (button.pressedResource) images.pressed = LoadResourceBitmap(instance, button.pressedResource);
}

}  // namespace

void InitButtonScreen(ButtonScreen& screen, const ButtonTable& table) {
    screen.board = MakeButtonBoard(table);
    for (ButtonImages& images : screen.images) images = ButtonImages();
    screen.imagesNotLoaded = true;
}

void LoadScreenImages(HINSTANCE instance, ButtonScreen& screen) {
    if (!screen.imagesNotLoaded) return;
    for (int i = 0; i < Count(screen); ++i) LoadButtonImages(instance, screen, i);
    screen.imagesNotLoaded = false;
}

void DrawButton(HWND window, const ButtonScreen& screen, int index, int state) {
    if (index < 0 || index >= Count(screen)) return;
    const ResourceImage& image = ImageFor(screen.images[index], state);
    if (!image) return;
    WindowDC dc(window);
    MemoryDC memory(dc.get());
    if (!dc || !memory) return;
    SelectedPalette windowPalette(dc.get(), image.palette.get(), true);
    SelectedPalette memoryPalette(memory.get(), image.palette.get(), true);
    Blit(dc.get(), memory.get(), image, screen.board.hot[index]);
}

void DrawAllButtons(HDC dc, const ButtonScreen& screen) {
    MemoryDC memory(dc);
    if (!memory) return;
    for (int i = 0; i < Count(screen); ++i) {
        const ResourceImage& image = screen.images[i].normal;
        if (!image) continue;
        HPALETTE palette = screen.board.table.buttons[i].paletteOnDrawAll ? image.palette.get() : nullptr;
        SelectedPalette windowPalette(dc, palette, true);
        SelectedPalette memoryPalette(memory.get(), palette, true);
        Blit(dc, memory.get(), image, screen.board.hot[i]);
    }
    const int focused = screen.focused;
    if (focused < 0 || focused >= Count(screen)) return;
    const ResourceImage& image = screen.images[focused].highlighted;
    if (!image) return;
    SelectedPalette windowPalette(dc, image.palette.get(), true);
    SelectedPalette memoryPalette(memory.get(), image.palette.get(), true);
    Blit(dc, memory.get(), image, screen.board.hot[focused]);
}

void TrackHover(HWND window, ButtonScreen& screen, POINT at) {
    HoverChange changes[kMaxScreenButtons];
    if (TrackPointer(screen.board, at.x, at.y, changes) == 0) return;
    for (int i = 0; i < Count(screen); ++i) {
        if (changes[i] == HoverChange::kEntered) {
            PlayInterfaceSound(kHoverSoundFile);
            DrawButton(window, screen, i, kStateHighlighted);
        } else if (changes[i] == HoverChange::kLeft) {
            DrawButton(window, screen, i, kStateNormal);
        }
    }
}

namespace {

// The click of a button already made pending: sound, pause, pressed picture, then the command.
int Click(HWND window, ButtonScreen& screen, int hit) {
    if (hit >= 0) {
        PlayInterfaceSound(kClickSoundFile);
        const int pause = screen.board.table.buttons[hit].clickPauseMs;
        if (pause > 0) Sleep(static_cast<DWORD>(pause));
        DrawButton(window, screen, hit, kStatePressed);
    }
    return TakePendingCommand(screen.board);
}

}  // namespace

int PressButton(HWND window, ButtonScreen& screen, POINT at) {
    return Click(window, screen, PressAt(screen.board, at.x, at.y));
}

int PressButtonIndex(HWND window, ButtonScreen& screen, int index) {
    return Click(window, screen, PressIndex(screen.board, index));
}

void ShowFocus(HWND window, ButtonScreen& screen, int index) {
    const int old = screen.focused;
    if (old == index) return;
    screen.focused = index;
    if (old >= 0 && old < Count(screen) && !screen.board.hover[old]) DrawButton(window, screen, old, kStateNormal);
    if (index < 0 || index >= Count(screen)) return;
    PlayInterfaceSound(kHoverSoundFile);
    DrawButton(window, screen, index, kStateHighlighted);
}

void HandleRelease(HWND window, const ButtonScreen& screen, POINT at) {
    DrawButton(window, screen, HitButton(screen.board, at.x, at.y), kStateHighlighted);
}

void FreeButtons(ButtonScreen& screen) {
    ClearButtons(screen.board);
    screen.focused = -1;
    for (ButtonImages& images : screen.images) images = ButtonImages();
    screen.imagesNotLoaded = true;
}

POINT CursorInClient(HWND window) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

}  // namespace zorv
