#include "graphics/image_button_win.h"

#include "platform/gdi_guards_win.h"
#include "platform/multimedia_win.h"
#include "settings/game_files.h"

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

void DrawButtons(HDC dc, const ButtonScreen& screen, ScreenPart part) {
    MemoryDC memory(dc);
    if (!dc || !memory) return;
    // In a whole drawing, the focused button too realises its palette only where its table line
    // says so.
    auto draw = [&](int i, const ResourceImage& image) {
        if (!image) return;
        const bool palette = !part.Whole() || screen.board.table.buttons[i].paletteOnDrawAll;
        SelectedPalette windowPalette(dc, palette ? image.palette.get() : nullptr, true);
        SelectedPalette memoryPalette(memory.get(), palette ? image.palette.get() : nullptr, true);
        Blit(dc, memory.get(), image, screen.board.hot[i]);
    };
    for (int i = 0; i < Count(screen); ++i) {
        if (part.Whole() || i == part.button) draw(i, ImageFor(screen.images[i], part.state));
    }
    const int focused = screen.focused;
    if (part.Whole() && focused >= 0 && focused < Count(screen)) draw(focused, screen.images[focused].highlighted);
}

void TrackHover(ButtonScreen& screen, POINT at, const DrawPartNow& draw) {
    HoverChange changes[kMaxScreenButtons];
    if (TrackPointer(screen.board, at.x, at.y, changes) == 0) return;
    for (int i = 0; i < Count(screen); ++i) {
        if (changes[i] == HoverChange::kEntered) {
            PlayInterfaceSound(kHoverSoundFile);
            draw(ScreenPart{i, kStateHighlighted});
        } else if (changes[i] == HoverChange::kLeft) {
            draw(ScreenPart{i, kStateNormal});
        }
    }
}

namespace {

// The click of a button already made pending: sound, pause, pressed picture, then the command.
int Click(ButtonScreen& screen, int hit, const DrawPartNow& draw) {
    if (hit >= 0) {
        PlayInterfaceSound(kClickSoundFile);
        const int pause = screen.board.table.buttons[hit].clickPauseMs;
        if (pause > 0) Sleep(static_cast<DWORD>(pause));
        draw(ScreenPart{hit, kStatePressed});
    }
    return TakePendingCommand(screen.board);
}

}  // namespace

int PressButton(ButtonScreen& screen, POINT at, const DrawPartNow& draw) {
    return Click(screen, PressAt(screen.board, at.x, at.y), draw);
}

int PressButtonIndex(ButtonScreen& screen, int index, const DrawPartNow& draw) {
    return Click(screen, PressIndex(screen.board, index), draw);
}

void ShowFocus(ButtonScreen& screen, int index, const DrawPartNow& draw) {
    const int old = screen.focused;
    if (old == index) return;
    screen.focused = index;
    if (old >= 0 && old < Count(screen) && !screen.board.hover[old]) draw(ScreenPart{old, kStateNormal});
    if (index < 0 || index >= Count(screen)) return;
    PlayInterfaceSound(kHoverSoundFile);
    draw(ScreenPart{index, kStateHighlighted});
}

void HandleRelease(const ButtonScreen& screen, POINT at, const DrawPartNow& draw) {
    const int hit = HitButton(screen.board, at.x, at.y);
    if (hit >= 0) draw(ScreenPart{hit, kStateHighlighted});
}

void FreeButtons(ButtonScreen& screen) {
    ClearButtons(screen.board);
    screen.focused = -1;
    for (ButtonImages& images : screen.images) images = ButtonImages();
    screen.imagesNotLoaded = true;
}

bool PointerMoves::Moved() {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    if (cursor.x == at_.x && cursor.y == at_.y) return false;
    at_ = cursor;
    return true;
}

POINT CursorInClient(HWND window) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

}  // namespace zorv
