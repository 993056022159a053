#include "graphics/image_button_win.h"

#include <mmsystem.h>

#include "common/gdi_guards_win.h"
#include "graphics/drawing_win.h"

namespace zorv {

const char kHoverSound[] = ".\\sound\\mmove.wav";
const char kClickSound[] = ".\\sound\\mclick.wav";

namespace {

const ButtonImage& ImageFor(const ImageButton& button, int state) {
    switch (state) {
    case kStateHighlighted: return button.highlighted;
    case kStatePressed: return button.pressed;
    default: return button.normal;
    }
}

bool Inside(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

void Blit(HDC target, HDC memory, const ButtonImage& image, const RECT& hot) {
    SelectedObject selected(memory, image.bitmap);
    BITMAP size = {};
    GetObjectA(image.bitmap, sizeof size, &size);
    BitBlt(target, hot.left, hot.top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
}

void FreeImage(ButtonImage& image) {
    if (image.bitmap) DeleteObject(image.bitmap);
    if (image.palette) DeleteObject(image.palette);
    image = ButtonImage();
}

}  // namespace

void PlayInterfaceSound(const char* file) { sndPlaySoundA(file, SND_ASYNC | SND_NODEFAULT); }

int LoadButtonImages(HINSTANCE instance, ImageButton& button) {
    button.normal.bitmap = LoadResourceBitmap(instance, button.normalResource, &button.normal.palette);
    if (!button.normal.bitmap) return 0;
    int ok = 1;
    if (button.highlightedResource) {
        button.highlighted.bitmap =
            LoadResourceBitmap(instance, button.highlightedResource, &button.highlighted.palette);
        if (!button.highlighted.bitmap) ok = 0;
    }
    if (button.pressedResource) {
        button.pressed.bitmap = LoadResourceBitmap(instance, button.pressedResource, &button.pressed.palette);
        if (!button.pressed.bitmap) ok = 0;
    }
    return ok;
}

void LoadScreenImages(HINSTANCE instance, ButtonScreen& screen) {
    if (!screen.imagesNotLoaded) return;
    for (int i = 0; i < screen.count; ++i) LoadButtonImages(instance, screen.buttons[i]);
    screen.imagesNotLoaded = false;
}

void DrawButton(HWND window, const ImageButton& button, int state) {
    const ButtonImage& image = ImageFor(button, state);
    if (!image.bitmap) return;
    WindowDC dc(window);
    MemoryDC memory(dc.get());
    if (!dc || !memory) return;
    SelectedPalette windowPalette(dc.get(), image.palette, true);
    SelectedPalette memoryPalette(memory.get(), image.palette, true);
    Blit(dc.get(), memory.get(), image, button.hot);
}

void DrawAllButtons(HWND window, const ButtonScreen& screen) {
    WindowDC dc(window);
    MemoryDC memory(dc.get());
    if (!dc || !memory) return;
    for (int i = 0; i < screen.count; ++i) {
        const ImageButton& button = screen.buttons[i];
        if (!button.normal.bitmap) continue;
        HPALETTE palette = screen.drawAllWithPalettes ? button.normal.palette : nullptr;
        SelectedPalette windowPalette(dc.get(), palette, true);
        SelectedPalette memoryPalette(memory.get(), palette, true);
        Blit(dc.get(), memory.get(), button.normal, button.hot);
    }
}

void TrackHover(HWND window, ButtonScreen& screen, POINT at) {
    for (int i = 0; i < screen.count; ++i) {
        ImageButton& button = screen.buttons[i];
        bool inside = Inside(button.hot, at);
        if (inside && !button.hover) {
            PlayInterfaceSound(kHoverSound);
            DrawButton(window, button, kStateHighlighted);
            button.hover = true;
        } else if (!inside && button.hover) {
            DrawButton(window, button, kStateNormal);
            button.hover = false;
        }
    }
}

void HandleClick(HWND window, HINSTANCE instance, ButtonScreen& screen, POINT at) {
    for (int i = 0; i < screen.count; ++i) {
        ImageButton& button = screen.buttons[i];
        if (!Inside(button.hot, at)) continue;
        PlayInterfaceSound(kClickSound);
        if (button.clickPauseMs) Sleep(button.clickPauseMs);
        DrawButton(window, button, kStatePressed);
        screen.pendingCommand = button.command;
        break;
    }
    int command = screen.pendingCommand;
    screen.pendingCommand = 0;
    if (screen.dispatch) screen.dispatch(window, instance, command);
}

void HandleRelease(HWND window, const ButtonScreen& screen, POINT at) {
    for (int i = 0; i < screen.count; ++i) {
        if (Inside(screen.buttons[i].hot, at)) {
            DrawButton(window, screen.buttons[i], kStateHighlighted);
            return;
        }
    }
}

void FreeButtons(ButtonScreen& screen) {
    for (int i = 0; i < screen.count; ++i) {
        ImageButton& button = screen.buttons[i];
        SetRectEmpty(&button.hot);
        FreeImage(button.normal);
        FreeImage(button.highlighted);
        FreeImage(button.pressed);
    }
    screen.imagesNotLoaded = true;
}

POINT CursorInClient(HWND window) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

}  // namespace zorv
