// The two menu screens as the tests know them: their tables, their backgrounds and their
// buttons by what they do, all from the program's own tables.
#ifndef ZORV_E2E_MENU_VIEW_H
#define ZORV_E2E_MENU_VIEW_H

#include <string>

#include "button_view.h"
#include "game_files.h"
#include "menus/menu_buttons.h"

namespace zorv_e2e {

inline constexpr ScreenSpec kMainScreen{"main menu", zorv::kMainMenuTable, kMainMenuBackground};
inline constexpr ScreenSpec kOptionsScreen{"options menu", zorv::kOptionsMenuTable, kOptionsMenuBackground};

inline constexpr const ButtonSpec& kStartGame = ButtonOf(zorv::kMainMenuTable, zorv::kCommandStartGame);
inline constexpr const ButtonSpec& kNetworkGame = ButtonOf(zorv::kMainMenuTable, zorv::kCommandNetworkGame);
inline constexpr const ButtonSpec& kOption = ButtonOf(zorv::kMainMenuTable, zorv::kCommandOptions);
inline constexpr const ButtonSpec& kQuit = ButtonOf(zorv::kMainMenuTable, zorv::kCommandQuit);
inline constexpr const ButtonSpec& kSetupInput = ButtonOf(zorv::kOptionsMenuTable, zorv::kCommandKeys);
inline constexpr const ButtonSpec& kAudio = ButtonOf(zorv::kOptionsMenuTable, zorv::kCommandAudio);
inline constexpr const ButtonSpec& kVideo = ButtonOf(zorv::kOptionsMenuTable, zorv::kCommandVideo);
inline constexpr const ButtonSpec& kHowToPlay = ButtonOf(zorv::kOptionsMenuTable, zorv::kCommandHowToPlay);
inline constexpr const ButtonSpec& kClose = ButtonOf(zorv::kOptionsMenuTable, zorv::kCommandClose);

// No picture of the table's buttons covers the client point p.
constexpr bool NoPictureAt(const ButtonTable& table, POINT p) {
    for (int i = 0; i < table.count; ++i) {
        const ButtonSpec& b = table.buttons[i];
        if (p.x >= b.hot.left && p.x < b.hot.left + b.pictureWidth && p.y >= b.hot.top &&
            p.y < b.hot.top + b.pictureHeight) {
            return false;
        }
    }
    return true;
}

// A client point of the menu window that no button picture of either menu covers.
constexpr POINT kEmptySpot{420, 420};
static_assert(NoPictureAt(zorv::kMainMenuTable, kEmptySpot) && NoPictureAt(zorv::kOptionsMenuTable, kEmptySpot),
              "the empty spot lies on a menu button");

// The menu window of a running program with both screens.
class MenuView : public ButtonView {
public:
    MenuView(HWND menu, const std::string& exe, const std::string& folder)
        : ButtonView(menu, exe, folder, {kMainScreen, kOptionsScreen}) {}
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_MENU_VIEW_H
