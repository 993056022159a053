#include "menus/menu_screens_win.h"

#include <string>

#include "audio/audio_dialog_win.h"
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
    focus_[0] = Focus{kMainMenuTable.count, 0, false};
    focus_[1] = Focus{kOptionsMenuTable.count, 0, false};
    GetCursorPos(&cursor_);
    ClearButtons(options_.board);  // placed each time the options menu is entered
    LoadScreenImages(instance, main_);
}

// Windows also reports a move when a window appears or goes under a cursor that stays where it
// is; only a move of the pointer itself hides the focus.
void MenuScreens::MouseMove(HWND window) {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    if (cursor.x != cursor_.x || cursor.y != cursor_.y) {
        cursor_ = cursor;
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
    DrawNow(*this, window);
}

void MenuScreens::Navigate(HWND window, FocusStep step) {
    ShowFocus(Shown(), StepFocus(ShownFocus(), step), Painter(*this, window));
}

void MenuScreens::Activate(HWND window, HINSTANCE instance, int index) {
    ShownFocus().index = index;
    Dispatch(window, instance, PressButtonIndex(Shown(), index, Painter(*this, window)));
}

// A key held down repeats its navigation but activates once.
void MenuScreens::Key(HWND window, HINSTANCE instance, WPARAM key, LPARAM flags) {
    const bool repeated = (flags & (1L << 30)) != 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_TAB: Navigate(window, shift ? FocusStep::kPrevious : FocusStep::kNext); break;
    case VK_DOWN:
    case VK_RIGHT: Navigate(window, FocusStep::kNext); break;
    case VK_UP:
    case VK_LEFT: Navigate(window, FocusStep::kPrevious); break;
    case VK_RETURN:
    case VK_SPACE:
        if (!repeated) Activate(window, instance, ShownFocus().index);
        break;
    case VK_ESCAPE:
        if (!repeated && current_ == kOptionsMenuScreen) Controller(window, instance, ControllerAction::kBack);
        break;
    default: break;
    }
}

void MenuScreens::Controller(HWND window, HINSTANCE instance, ControllerAction action) {
    switch (action) {
    case ControllerAction::kDown:
    case ControllerAction::kRight: Navigate(window, FocusStep::kNext); break;
    case ControllerAction::kUp:
    case ControllerAction::kLeft: Navigate(window, FocusStep::kPrevious); break;
    case ControllerAction::kActivate: Activate(window, instance, ShownFocus().index); break;
    case ControllerAction::kBack:
        if (current_ == kOptionsMenuScreen) Activate(window, instance, ButtonIndexOf(kOptionsMenuTable, kCommandClose));
        break;
    default: break;
    }
}

// The settings screens are modal dialogs over the options menu, which is drawn again when one
// has run. A close from outside (End task, logoff) while a screen or the game runs destroys the
// menu window, and this record with it: nothing of it is touched after a screen or a launch
// unless the window is still there.
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
    if (ran && IsWindow(window)) Show(window);
}

void MenuScreens::Free() {
    FreeButtons(main_);
    FreeButtons(options_);
    for (GdiObject<HBITMAP>& bitmap : screenBitmaps_) bitmap.reset();
}

}  // namespace zorv
