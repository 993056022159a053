#include "menus/menu_screens_win.h"

#include <cstdio>

#include "common/gdi_guards_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "graphics/message_box_win.h"
#include "graphics/picture_slots_win.h"
#include "menus/first_run_flag.h"
#include "menus/menu_commands_win.h"
#include "resources/resource_ids.h"

namespace zorv {
namespace {

const char* const kScreenPictures[] = {
    nullptr,
    ".\\resource\\background\\MainBK.bmp",
    ".\\resource\\background\\OptionBK.bmp",
    ".\\resource\\background\\inputBK.bmp",
    ".\\resource\\background\\smallwin.bmp",
    ".\\resource\\background\\smallwin.bmp",
    ".\\resource\\background\\how1.bmp",
    ".\\resource\\background\\how2.bmp",
    ".\\resource\\background\\how3.bmp",
};

void DispatchMain(HWND window, HINSTANCE instance, int command);
void DispatchOptions(HWND window, HINSTANCE instance, int command);

constexpr RECT kNoRect = {0, 0, 0, 0};

ImageButton g_mainButtons[] = {
    {502, kNoRect, IDB_START_NORMAL, IDB_START_HIGHLIGHT, IDB_START_PRESSED, kCommandStartGame, 0, {}, {}, {}, false},
    {503, kNoRect, IDB_NETWORK_NORMAL, IDB_NETWORK_HIGHLIGHT, IDB_NETWORK_PRESSED, kCommandNetworkGame, 0, {}, {}, {}, false},
    {504, kNoRect, IDB_OPTION_NORMAL, IDB_OPTION_HIGHLIGHT, IDB_OPTION_PRESSED, kCommandOptions, 0, {}, {}, {}, false},
    {505, kNoRect, IDB_QUIT_NORMAL, IDB_QUIT_HIGHLIGHT, IDB_QUIT_PRESSED, kCommandQuit, 300, {}, {}, {}, false},
};
const RECT kMainRects[] = {
    {273, 86, 417, 171},
    {5, 145, 204, 230},
    {484, 297, 634, 358},
    {465, 145, 634, 230},
};

ImageButton g_optionButtons[] = {
    {506, kNoRect, IDB_INPUT_NORMAL, IDB_INPUT_HIGHLIGHT, IDB_INPUT_PRESSED, kCommandKeys, 0, {}, {}, {}, false},
    {507, kNoRect, IDB_AUDIO_NORMAL, IDB_AUDIO_HIGHLIGHT, IDB_AUDIO_PRESSED, kCommandAudio, 0, {}, {}, {}, false},
    {508, kNoRect, IDB_VIDEO_NORMAL, IDB_VIDEO_HIGHLIGHT, IDB_VIDEO_PRESSED, kCommandVideo, 0, {}, {}, {}, false},
    {509, kNoRect, IDB_HOWTO_NORMAL, IDB_HOWTO_HIGHLIGHT, IDB_HOWTO_PRESSED, kCommandHowToPlay, 0, {}, {}, {}, false},
    {510, kNoRect, IDB_CLOSE_NORMAL, IDB_CLOSE_HIGHLIGHT, IDB_CLOSE_PRESSED, kCommandClose, 0, {}, {}, {}, false},
};

ButtonScreen g_main = {g_mainButtons, 4, DispatchMain, true, 0, true};
ButtonScreen g_options = {g_optionButtons, 5, DispatchOptions, false, 0, true};

struct MenuState {
    int current = kMainMenuScreen;
    bool mainActive = true;
    bool optionsActive = false;
    HBITMAP screenBitmaps[kPictureSlotCount] = {};
};
MenuState g_menu;

void SetScreen(int screen) {
    g_menu.current = screen;
    g_menu.mainActive = screen == kMainMenuScreen;
    g_menu.optionsActive = screen == kOptionsMenuScreen;
}

void SetMainRects() {
    for (int i = 0; i < 4; ++i) g_mainButtons[i].hot = kMainRects[i];
}

void SetOptionRects() {
    for (int i = 0; i < 5; ++i) g_optionButtons[i].hot = RECT{17, 67 + 60 * i, 206, 102 + 60 * i};
}

// Copies a screen bitmap 1:1 to the client origin; a picture that failed to read leaves
// the client area black.
void CopyScreenBackground(HWND window, int slot) {
    RECT client;
    GetClientRect(window, &client);
    WindowDC dc(window);
    if (!dc) return;
    HBITMAP bitmap = g_menu.screenBitmaps[slot];
    if (!bitmap) {
        FillRect(dc.get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    MemoryDC memory(dc.get());
    SelectedObject selected(memory.get(), bitmap);
    BitBlt(dc.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void ShowMainScreen(HWND window) {
    CopyScreenBackground(window, 1);
    DrawAllButtons(window, g_main);
}

void ShowOptionsScreen(HWND window) {
    CopyScreenBackground(window, 2);
    DrawAllButtons(window, g_options);
}

void EnterOptions(HWND window, HINSTANCE instance) {
    SetScreen(kOptionsMenuScreen);
    SetOptionRects();
    LoadScreenImages(instance, g_options);
    ShowOptionsScreen(window);
}

void DispatchMain(HWND window, HINSTANCE instance, int command) {
    switch (command) {
    case kCommandStartGame:
    case kCommandNetworkGame: RunMenuLaunch(window, instance, command); break;
    case kCommandOptions: EnterOptions(window, instance); break;
    case kCommandQuit: PostMessageA(window, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

void DispatchOptions(HWND window, HINSTANCE instance, int command) {
    switch (command) {
    case kCommandKeys:
    case kCommandAudio:
    case kCommandHowToPlay:
        if (RunOptionsDialog(window, instance, command)) ShowOptionsScreen(window);
        break;
    case kCommandVideo:
        if (RunOptionsDialog(window, instance, command)) {
            SetFirstRunFlag(1);
            ShowOptionsScreen(window);
        }
        break;
    case kCommandClose:
        SetScreen(kMainMenuScreen);
        ShowMainScreen(window);
        break;
    default: break;
    }
}

}  // namespace

void SetUpMenus(HINSTANCE instance) {
    for (int slot = 1; slot <= 8; ++slot) {
        if (!ReadPicture(kScreenPictures[slot], slot)) {
            char text[32];
            std::snprintf(text, sizeof text, "ReadBMPFile %d", slot);
            ShowMessage(text);
        }
        g_menu.screenBitmaps[slot] = SlotToBitmap(slot);
    }
    SetMainRects();
    LoadScreenImages(instance, g_main);
}

void RepaintMenu(HWND window) {
    if (g_menu.current == kMainMenuScreen) {
        ShowMainScreen(window);
    } else if (g_menu.current == kOptionsMenuScreen) {
        ShowOptionsScreen(window);
    }
}

void RouteMenuMouseMove(HWND window) {
    if (g_menu.mainActive) TrackHover(window, g_main, CursorInClient(window));
    if (g_menu.optionsActive) TrackHover(window, g_options, CursorInClient(window));
}

void RouteMenuLeftButton(HWND window, HINSTANCE instance, int x, int y) {
    POINT at = {x, y};
    if (g_menu.mainActive) HandleClick(window, instance, g_main, at);
    if (g_menu.optionsActive) HandleClick(window, instance, g_options, at);
}

void FreeMenus() {
    FreeButtons(g_main);
    FreeButtons(g_options);
    for (HBITMAP& bitmap : g_menu.screenBitmaps) {
        if (bitmap) DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

int CurrentMenuScreen() { return g_menu.current; }

}  // namespace zorv
