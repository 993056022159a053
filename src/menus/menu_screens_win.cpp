#include "menus/menu_screens_win.h"

#include <cstdio>

#include "audio/audio_dialog_win.h"
#include "common/first_run_flag.h"
#include "common/game_files.h"
#include "common/message_box_win.h"
#include "graphics/drawing_win.h"
#include "graphics/picture_slots_win.h"
#include "howtoplay/howto_win.h"
#include "keys/key_dialog_win.h"
#include "launch/launch_win.h"
#include "menus/menu_buttons.h"
#include "video/video_dialog_win.h"

namespace zorv {
namespace {

// The picture of each screen slot, the small window's twice: the audio and video screens each
// have a slot of their own.
// clang-format off
const char* const kScreenPictures[] = {
    nullptr, kMainMenuBackground, kOptionsMenuBackground, kKeysBackground, kSmallWindowBackground,
    kSmallWindowBackground, kHowToPlayPictures[0], kHowToPlayPictures[1], kHowToPlayPictures[2]};
// clang-format on

}  // namespace

// A screen picture becomes a bitmap the first time its screen is shown. Of the eight pictures
// read at start-up only the two menu screens are ever copied 1:1 (the dialogs draw theirs
// scaled from the picture), so converting the others would cost start-up time and a
// screen-sized bitmap each, for nothing.
HBITMAP MenuScreens::ScreenBitmap(PictureSlot slot) {
    GdiObject<HBITMAP>& bitmap = screenBitmaps_[slot];
    if (!bitmap) bitmap.reset(SlotToBitmap(slot));
    return bitmap.get();
}

// Copies a screen bitmap 1:1 to the client origin; a picture that failed to read leaves
// the client area black.
void MenuScreens::CopyScreenBackground(HWND window, PictureSlot slot) {
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

void MenuScreens::ShowMainScreen(HWND window) {
    CopyScreenBackground(window, kSlotMainMenu);
    DrawAllButtons(window, main_);
}

void MenuScreens::ShowOptionsScreen(HWND window) {
    CopyScreenBackground(window, kSlotOptionsMenu);
    DrawAllButtons(window, options_);
}

void MenuScreens::EnterOptions(HWND window, HINSTANCE instance) {
    SetScreen(kOptionsMenuScreen);
    PlaceButtons(options_.board);
    LoadScreenImages(instance, options_);
    ShowOptionsScreen(window);
}

// The settings screens are modal dialogs over the menu; the options menu is drawn again
// when one has run. The video screen also marks the driver as chosen.
void MenuScreens::RunSettingsScreen(HWND window, HINSTANCE instance, int command) {
    bool ran = false;
    switch (command) {
    case kCommandKeys: ran = ShowKeyDialog(window, instance); break;
    case kCommandAudio: ran = ShowAudioDialog(window, instance); break;
    case kCommandHowToPlay: ran = ShowHowToPlay(window, instance, howToPlayPage_); break;
    case kCommandVideo:
        ShowVideoDialog(window, instance);
        SetFirstRunFlag(1);
        ran = true;
        break;
    default: break;
    }
    if (ran) ShowOptionsScreen(window);
}

void MenuScreens::SetUp(HINSTANCE instance) {
    for (int slot = kFirstScreenSlot; slot <= kLastScreenSlot; ++slot) {
        if (!ReadPicture(kScreenPictures[slot], slot)) {
            char text[32];
            std::snprintf(text, sizeof text, "ReadBMPFile %d", slot);
            ShowMessage(text);
        }
    }
    InitButtonScreen(main_, kMainMenuTable);
    InitButtonScreen(options_, kOptionsMenuTable);
    ClearButtons(options_.board);  // placed each time the options menu is entered
    LoadScreenImages(instance, main_);
}

void MenuScreens::Repaint(HWND window) {
    if (current_ == kMainMenuScreen) {
        ShowMainScreen(window);
    } else {
        ShowOptionsScreen(window);
    }
}

void MenuScreens::MouseMove(HWND window) {
    TrackHover(window, current_ == kMainMenuScreen ? main_ : options_, CursorInClient(window));
}

int MenuScreens::Press(HWND window, POINT at) {
    return PressButton(window, current_ == kMainMenuScreen ? main_ : options_, at);
}

void MenuScreens::Dispatch(HWND window, HINSTANCE instance, int command) {
    switch (command) {
    case kCommandStartGame: LaunchGame(window, instance, 0); break;
    case kCommandNetworkGame: LaunchGame(window, instance, 1); break;
    case kCommandOptions: EnterOptions(window, instance); break;
    case kCommandQuit: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case kCommandKeys:
    case kCommandAudio:
    case kCommandVideo:
    case kCommandHowToPlay: RunSettingsScreen(window, instance, command); break;
    case kCommandClose:
        SetScreen(kMainMenuScreen);
        ShowMainScreen(window);
        break;
    default: break;
    }
}

void MenuScreens::Free() {
    FreeButtons(main_);
    FreeButtons(options_);
    for (GdiObject<HBITMAP>& bitmap : screenBitmaps_) bitmap.reset();
}

}  // namespace zorv
