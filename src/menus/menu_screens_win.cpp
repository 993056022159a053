#include "menus/menu_screens_win.h"

#include <cstdio>

#include "common/first_run_flag.h"
#include "common/gdi_guards_win.h"
#include "common/message_box_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "graphics/picture_slots_win.h"
#include "launch/launch_win.h"
#include "menus/menu_buttons.h"
#include "menus/menu_commands_win.h"

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

struct MenuState {
    int current = kMainMenuScreen;
    bool mainActive = true;
    bool optionsActive = false;
    ButtonScreen main;
    ButtonScreen options;
    GdiObject<HBITMAP> screenBitmaps[kPictureSlotCount];
};
MenuState g_menu;

void SetScreen(int screen) {
    g_menu.current = screen;
    g_menu.mainActive = screen == kMainMenuScreen;
    g_menu.optionsActive = screen == kOptionsMenuScreen;
}

// A screen picture becomes a bitmap the first time its screen is shown. Of the eight pictures
// read at start-up only the two menu screens are ever copied 1:1 (the dialogs draw theirs
// scaled from the picture), so converting the others would cost start-up time and a
// screen-sized bitmap each, for nothing.
HBITMAP ScreenBitmap(int slot) {
    GdiObject<HBITMAP>& bitmap = g_menu.screenBitmaps[slot];
    if (!bitmap) bitmap.reset(SlotToBitmap(slot));
    return bitmap.get();
}

// Copies a screen bitmap 1:1 to the client origin; a picture that failed to read leaves
// the client area black.
void CopyScreenBackground(HWND window, int slot) {
    RECT client;
    GetClientRect(window, &client);
    WindowDC dc(window);
    if (!dc) return;
    HBITMAP bitmap = ScreenBitmap(slot);
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
    DrawAllButtons(window, g_menu.main);
}

void ShowOptionsScreen(HWND window) {
    CopyScreenBackground(window, 2);
    DrawAllButtons(window, g_menu.options);
}

void EnterOptions(HWND window, HINSTANCE instance) {
    SetScreen(kOptionsMenuScreen);
    PlaceButtons(g_menu.options.board);
    LoadScreenImages(instance, g_menu.options);
    ShowOptionsScreen(window);
}

void DispatchMain(HWND window, HINSTANCE instance, int command) {
    switch (command) {
    case kCommandStartGame:
    case kCommandNetworkGame: LaunchGame(window, instance, command == kCommandStartGame ? 0 : 1); break;
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
    }
    InitButtonScreen(g_menu.main, kMainMenuTable, DispatchMain);
    InitButtonScreen(g_menu.options, kOptionsMenuTable, DispatchOptions);
    ClearButtons(g_menu.options.board);  // placed each time the options menu is entered
    LoadScreenImages(instance, g_menu.main);
}

void RepaintMenu(HWND window) {
    if (g_menu.current == kMainMenuScreen) {
        ShowMainScreen(window);
    } else if (g_menu.current == kOptionsMenuScreen) {
        ShowOptionsScreen(window);
    }
}

void RouteMenuMouseMove(HWND window) {
    if (g_menu.mainActive) TrackHover(window, g_menu.main, CursorInClient(window));
    if (g_menu.optionsActive) TrackHover(window, g_menu.options, CursorInClient(window));
}

void RouteMenuLeftButton(HWND window, HINSTANCE instance, int x, int y) {
    POINT at = {x, y};
    if (g_menu.mainActive) HandleClick(window, instance, g_menu.main, at);
    if (g_menu.optionsActive) HandleClick(window, instance, g_menu.options, at);
}

void FreeMenus() {
    FreeButtons(g_menu.main);
    FreeButtons(g_menu.options);
    for (GdiObject<HBITMAP>& bitmap : g_menu.screenBitmaps) bitmap.reset();
}

int CurrentMenuScreen() { return g_menu.current; }

}  // namespace zorv
