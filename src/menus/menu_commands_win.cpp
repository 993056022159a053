#include "menus/menu_commands_win.h"

#include "audio/audio_dialog_win.h"
#include "howtoplay/howto_win.h"
#include "keys/key_dialog_win.h"
#include "menus/menu_buttons.h"
#include "video/video_dialog_win.h"

namespace zorv {

bool RunOptionsDialog(HWND menu, HINSTANCE instance, int command) {
    // The settings screens are opened here as they are built; until then their codes are
    // ignored like every unknown code.
    switch (command) {
    case kCommandKeys: return ShowKeyDialog(menu, instance);
    case kCommandAudio: return ShowAudioDialog(menu, instance);
    case kCommandHowToPlay: return ShowHowToPlay(menu, instance);
    case kCommandVideo: ShowVideoDialog(menu, instance); return true;
    default: return false;
    }
}

}  // namespace zorv
