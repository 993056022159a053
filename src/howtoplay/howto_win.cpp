#include "howtoplay/howto_win.h"

#include "graphics/image_button_screen_win.h"
#include "howtoplay/howto_buttons.h"
#include "howtoplay/howto_pages.h"
#include "platform/dialog_state_win.h"

namespace zorv {
namespace {

// One opening of the screen; the page is the caller's.
struct HowToPlay {
    ImageButtonScreen screen;
    int& page;
};

void ShowPage(HowToPlay& state) { state.screen.SetBackground(static_cast<PictureSlot>(PageSlot(state.page))); }

// A button's command, from a click, the keyboard or a controller.
void RunCommand(HowToPlay& state, HWND window, int command) {
    switch (command) {
    case kCommandPreviousPage:
    case kCommandNextPage: {
        // Repainted at once, also when the page stays, and over the pressed picture.
        state.page = TurnPage(state.page, command);
        ShowPage(state);
        state.screen.DrawWithoutFocus(window);
        break;
    }
    case kCommandCloseHowToPlay: state.screen.End(window); break;
    default: break;
    }
}

void OnInit(HowToPlay& state, HWND window) {
    ShowPage(state);
    state.screen.Open(window, [&state, window](int command) { RunCommand(state, window, command); });
}

// Handles no commands: Enter, Escape and the close command leave the screen open.
INT_PTR CALLBACK HowToPlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HowToPlay* state = DialogState<HowToPlay>(window, message, lParam);
    if (!state || state->screen.Orphaned()) return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInit(*state, window); return TRUE;
    default: return state->screen.HandleMessage(window, message, wParam, lParam);
    }
}

}  // namespace

bool ShowHowToPlay(HWND owner, HINSTANCE instance, int& page) {
    HowToPlay state{ImageButtonScreen(kHowToPlayScreen, owner, instance), page};
    // CLOSE ends the dialog with 1; -1 means the dialog could not be made.
    return RunDialog(instance, kHowToPlayScreen.dialog.templateId, owner, HowToPlayProc, state) > 0;
}

}  // namespace zorv
