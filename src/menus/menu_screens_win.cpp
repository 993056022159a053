#include "menus/menu_screens_win.h"

#include <string>

#include "audio/audio_dialog_win.h"
#include "graphics/drawing_win.h"
#include "graphics/picture_slots_win.h"
#include "howtoplay/howto_win.h"
#include "keys/key_dialog_win.h"
#include "launch/launch_win.h"
#include "menus/menu_buttons.h"
#include "platform/message_box_win.h"
#include "settings/game_files.h"
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
// screen-sized bitmap each, for nothing. A picture that failed to read leaves the client area
// black.
void MenuScreens::Draw(HWND window, HDC dc, ScreenPart part) {
    if (part.Whole()) {
        const PictureSlot slot = current_ == kMainMenuScreen ? kSlotMainMenu : kSlotOptionsMenu;
        GdiObject<HBITMAP>& bitmap = screenBitmaps_[slot];
        if (!bitmap) bitmap = SlotToBitmap(slot);
        RECT client;
        GetClientRect(window, &client);
        if (bitmap) {
            MemoryDC memory(dc);
            SelectedObject selected(memory.get(), bitmap.get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        } else {
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    }
    DrawButtons(dc, Shown(), part);
}

void MenuScreens::SetUp(HINSTANCE instance) {
    for (int slot = kFirstScreenSlot; slot <= kLastScreenSlot; ++slot) {
        if (!ReadPicture(kScreenPictures[slot], slot)) ShowMessage(("ReadBMPFile " + std::to_string(slot)).c_str());
    }
    InitButtonScreen(main_, kMainMenuTable);
    InitButtonScreen(options_, kOptionsMenuTable);
    focus_[0] = NewFocus(kMainMenuTable.count);
    focus_[1] = NewFocus(kOptionsMenuTable.count);
    pointer_.Start();
    ClearButtons(options_.board);  // placed each time the options menu is entered
    LoadScreenImages(instance, main_);
}

void MenuScreens::MouseMove(HWND window) {
    if (pointer_.Moved()) {
        ShownFocus().visible = false;
        ShowFocus(Shown(), -1, Painter(*this, window));
    }
    TrackHover(Shown(), CursorInClient(window), Painter(*this, window));
}

// A button pressed is the one the menu focuses when it is shown again.
int MenuScreens::Press(HWND window, POINT at) {
    const int hit = HitButton(Shown().board, at.x, at.y);
    if (hit >= 0) ShownFocus().index = hit;
    return PressButton(Shown(), at, Painter(*this, window));
}

void MenuScreens::Show(HWND window) {
    ShownFocus().visible = false;
    Shown().focused = -1;
    pressed_.Restart();
    DrawNow(*this, window);
}

void MenuScreens::Navigate(HWND window, FocusStep step) {
    ShowFocus(Shown(), StepFocus(ShownFocus(), step), Painter(*this, window));
}

void MenuScreens::Move(HWND window, Direction direction) {
    Focus& focus = ShownFocus();
    focus.index = NearestButton(Shown().board.table, focus.index, direction);
    focus.visible = true;
    ShowFocus(Shown(), focus.index, Painter(*this, window));
}

void MenuScreens::Activate(HWND window, HINSTANCE instance) {
    Focus& focus = ShownFocus();
    if (!focus.visible) {
        ShowFocus(Shown(), RevealFocus(focus), Painter(*this, window));
    } else {
        PressByIndex(window, instance, focus.index);
    }
}

void MenuScreens::PressByIndex(HWND window, HINSTANCE instance, int index) {
    ShownFocus().index = index;
    Dispatch(window, instance, PressButtonIndex(Shown(), index, Painter(*this, window)));
}

// A key held down repeats its navigation but activates once.
void MenuScreens::Key(HWND window, HINSTANCE instance, WPARAM key, LPARAM flags) {
    const bool repeated = KeyRepeated(flags);
    if (!pressed_.Down(static_cast<unsigned>(key), repeated)) return;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_TAB: Navigate(window, shift ? FocusStep::kPrevious : FocusStep::kNext); break;
    case VK_LEFT: Move(window, Direction::kLeft); break;
    case VK_RIGHT: Move(window, Direction::kRight); break;
    case VK_UP: Move(window, Direction::kUp); break;
    case VK_DOWN: Move(window, Direction::kDown); break;
    case VK_RETURN:
    case VK_SPACE:
        if (!repeated) Activate(window, instance);
        break;
    case VK_ESCAPE:
        if (!repeated && current_ == kOptionsMenuScreen) Controller(window, instance, ControllerAction::kBack);
        break;
    default: break;
    }
}

void MenuScreens::Controller(HWND window, HINSTANCE instance, ControllerAction action) {
    switch (action) {
    case ControllerAction::kLeft: Move(window, Direction::kLeft); break;
    case ControllerAction::kRight: Move(window, Direction::kRight); break;
    case ControllerAction::kUp: Move(window, Direction::kUp); break;
    case ControllerAction::kDown: Move(window, Direction::kDown); break;
    case ControllerAction::kActivate: Activate(window, instance); break;
    case ControllerAction::kBack:
        if (current_ == kOptionsMenuScreen)
            PressByIndex(window, instance, ButtonIndexOf(kOptionsMenuTable, kCommandClose));
        break;
    default: break;
    }
}

// The settings screens are modal dialogs over the options menu, which is drawn again when one
// has run. A close from outside (End task, logoff) while a screen or the game runs destroys the
// menu window: the record is then Gone, and nothing is drawn when the screen or launch returns.
void MenuScreens::Dispatch(HWND window, HINSTANCE instance, int command) {
    bool ran = false;
    switch (command) {
    case kCommandStartGame: LaunchGame(window, instance, 0, firstRunFlag_); break;
    case kCommandNetworkGame: LaunchGame(window, instance, 1, firstRunFlag_); break;
    case kCommandQuit: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case kCommandOptions:
        current_ = kOptionsMenuScreen;
        PlaceButtons(options_.board);
        LoadScreenImages(instance, options_);
        Show(window);
        break;
    case kCommandClose:
        current_ = kMainMenuScreen;
        Show(window);
        break;
    case kCommandKeys: ran = ShowKeyDialog(window, instance, keys_); break;
    case kCommandAudio: ran = ShowAudioDialog(window, instance, audio_); break;
    case kCommandHowToPlay: ran = ShowHowToPlay(window, instance, howToPlayPage_); break;
    case kCommandVideo:
        // The driver counts as chosen however the screen is left, a close from outside too.
        firstRunFlag_ = 1;
        ShowVideoDialog(window, instance, video_, drivers_);
        ran = true;
        break;
    default: break;
    }
    if (ran && !gone_) Show(window);
}

void MenuScreens::Free() {
    FreeButtons(main_);
    FreeButtons(options_);
    for (GdiObject<HBITMAP>& bitmap : screenBitmaps_) bitmap.reset();
}

}  // namespace zorv
