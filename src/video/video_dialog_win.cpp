#include "video/video_dialog_win.h"

#include "graphics/image_button_screen_win.h"
#include "launch/driver_dialogs_win.h"
#include "platform/dialog_state_win.h"
#include "resources/resource_ids.h"
#include "settings/full_path_win.h"
#include "video/driver_install_win.h"
#include "video/video_buttons.h"
#include "video/video_files_win.h"

namespace zorv {
namespace {

// One opening of the screen; the choice and the driver list are the caller's. The driver
// dialogs it raises are owned by the menu window; the configuration-file error dialog by the
// video dialog itself.
struct VideoDialog {
    ImageButtonScreen screen;
    VideoSettings& video;
    DriverList& drivers;
};

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0) {
    return SendDlgItemMessageA(dialog, id, message, wParam, 0);
}

// The driver display names, in file order, into the driver list.
void FillDriverList(const DriverList& list, HWND dialog) {
    for (int i = 0; i < list.driverCount; ++i)
        SendDlgItemMessageA(dialog, IDC_VIDEO_DRIVERS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.names[i]));
}

// Empties the display-mode list and adds the entries for the driver.
void FillModeList(DriverList& list, HWND dialog, int driverIndex) {
    SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : FillModeLabels(&list, driverIndex))
        SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void ShowLevel(HWND dialog, int level) { SetScrollPos(GetDlgItem(dialog, IDC_VIDEO_LEVEL), SB_CTL, level, TRUE); }

// An index outside a list clears its selection, as CB_SETCURSEL does with it.
void SelectEntry(HWND dialog, int id, int index) { SendItem(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index)); }

void ShowBarAndMode(const VideoSettings& video, HWND dialog) {
    const VideoSelection shown = SelectionToShow(video);
    ShowLevel(dialog, shown.bar);
    SelectEntry(dialog, IDC_VIDEO_MODES, shown.mode);
}

void ShowSelection(const VideoSettings& video, HWND dialog) {
    ShowBarAndMode(video, dialog);
    SelectEntry(dialog, IDC_VIDEO_DRIVERS, SelectionToShow(video).driver);
}

// What choosing this driver means: a local driver is confirmed; one that must be installed
// into the system gets the guide with its folder (none for the last entry, any other card).
void TellAboutDriver(const VideoDialog& state, int driver) {
    const HWND owner = state.screen.owner();
    const HINSTANCE instance = state.screen.instance();
    if (IsLocalDriver(driver)) {
        ShowDriverInstalledDialog(owner, instance);
        return;
    }
    if (!IsSystemInstalledDriver(driver)) return;
    char location[MAX_PATH] = "";
    char folder[MAX_PATH];
    // A full path too long to hold would name another folder cut short: the folder is then
    // named as the driver list gives it.
    if (driver != state.drivers.driverCount - 1 && DriverFolder(state.drivers, driver, folder) &&
        !FullPath(folder, location))
        lstrcpynA(location, folder, sizeof location);
    ShowDriverGuideDialog(owner, instance, location);
}

void OnDriverChosen(VideoDialog& state, HWND dialog) {
    const LRESULT driver = SendItem(dialog, IDC_VIDEO_DRIVERS, CB_GETCURSEL);
    if (driver == CB_ERR) return;
    VideoSettings& video = state.video;
    video.driverIndex = static_cast<int>(driver);
    FillModeList(state.drivers, dialog, video.driverIndex);
    ShowBarAndMode(video, dialog);
    // The mode stored is the one on show; with none on show the stored one stays.
    const LRESULT mode = SendItem(dialog, IDC_VIDEO_MODES, CB_GETCURSEL);
    if (mode != CB_ERR) video.modeIndex = static_cast<int>(mode);
    TellAboutDriver(state, video.driverIndex);
    AdoptShownChoice(&video);
}

void OnModeChosen(VideoSettings& video, HWND dialog) {
    const LRESULT mode = SendItem(dialog, IDC_VIDEO_MODES, CB_GETCURSEL);
    if (mode != CB_ERR) video.modeIndex = static_cast<int>(mode);
    AdoptShownChoice(&video);
}

// DEFAULT: the defaults on show, the level kept. The mode list is refilled for driver 0, so
// that it never shows another driver's modes under driver 0.
void ResetVideoChoice(VideoDialog& state, HWND dialog) {
    state.video = VideoSettings{0, 0, 0, state.video.level};
    FillModeList(state.drivers, dialog, 0);
    ShowSelection(state.video, dialog);
}

void FinishVideoDialog(VideoDialog& state, HWND dialog) {
    InstallDriver(state.drivers, state.video.driverIndex);
    WriteVideoSettings(dialog, state.screen.instance(), kVideoSettingsFile, state.video);
    state.screen.End(dialog);
}

void RunCommand(VideoDialog& state, HWND dialog, int command);

INT_PTR OnInitDialog(VideoDialog& state, HWND dialog) {
    state.screen.Open(dialog, [&state, dialog](int command) { RunCommand(state, dialog, command); });
    SetScrollRange(GetDlgItem(dialog, IDC_VIDEO_LEVEL), SB_CTL, kLevelMin, kLevelMax, FALSE);
    const HINSTANCE instance = state.screen.instance();
    if (!ReadDriverList(dialog, instance, kDriverListFile, state.drivers) ||
        !ReadVideoSettings(dialog, instance, kVideoSettingsFile, state.video)) {
        // Reached only when the error dialog could not end the program.
        EndDialog(dialog, 0);
        return FALSE;
    }
    FillDriverList(state.drivers, dialog);
    FillModeList(state.drivers, dialog, state.video.driverIndex);
    ShowSelection(state.video, dialog);
    return FALSE;
}

INT_PTR OnCommand(VideoDialog& state, HWND dialog, WPARAM wParam) {
    if (HIWORD(wParam) != CBN_SELCHANGE) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_VIDEO_DRIVERS: OnDriverChosen(state, dialog); return TRUE;
    case IDC_VIDEO_MODES: OnModeChosen(state.video, dialog); return TRUE;
    default: return FALSE;
    }
}

INT_PTR OnLevelScroll(VideoSettings& video, HWND dialog, WPARAM wParam) {
    AdoptShownChoice(&video);
    video.level = NextCalibrationLevel(video.level, LOWORD(wParam), HIWORD(wParam));
    ShowLevel(dialog, video.level);
    return TRUE;
}

// A button's command, from a click, the keyboard or a controller.
void RunCommand(VideoDialog& state, HWND dialog, int command) {
    switch (command) {
    case kCommandVideoDone: FinishVideoDialog(state, dialog); break;
    case kCommandVideoDefault: ResetVideoChoice(state, dialog); break;
    default: break;
    }
}

INT_PTR CALLBACK VideoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    VideoDialog* state = DialogState<VideoDialog>(dialog, message, lParam);
    if (!state || state->screen.Orphaned()) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(*state, dialog);
    case WM_COMMAND: return OnCommand(*state, dialog, wParam);
    case WM_HSCROLL: return OnLevelScroll(state->video, dialog, wParam);
    default: return state->screen.HandleMessage(dialog, message, wParam, lParam);
    }
}

}  // namespace

bool ShowVideoDialog(HWND owner, HINSTANCE instance, VideoSettings& video, DriverList& drivers) {
    VideoDialog state{ImageButtonScreen(kVideoScreen, owner, instance), video, drivers};
    return RunDialog(instance, kVideoScreen.dialog.templateId, owner, VideoDialogProc, state) > 0;
}

}  // namespace zorv
