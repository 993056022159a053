#include "menus/menu_commands_win.h"

#include "launch/launch_win.h"

namespace zorv {

void RunMenuLaunch(HWND menu, HINSTANCE instance, int command) { LaunchGame(menu, instance, command); }

bool RunOptionsDialog(HWND, HINSTANCE, int command) {
    // The settings screens are opened here as they are built; until then their codes are
    // ignored like every unknown code.
    switch (command) {
    default: return false;
    }
}

}  // namespace zorv
