#include "video/video_dialog_win.h"

#include "captions/captions_win.h"
#include "common/full_path_win.h"
#include "graphics/dialog_layout_win.h"
#include "graphics/dpi_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "launch/driver_dialogs_win.h"
#include "resources/resource_ids.h"
#include "video/driver_install_win.h"
#include "video/video_buttons.h"
#include "video/video_files.h"
#include "video/video_files_win.h"

namespace zorv {
namespace {

// The menus read smallwin.bmp a second time into this slot for the dialog's background.
constexpr int kVideoBackgroundSlot = 5;

static_assert(SB_LINELEFT == kScrollLineLeft && SB_LINERIGHT == kScrollLineRight && SB_PAGELEFT == kScrollPageLeft &&
                  SB_PAGERIGHT == kScrollPageRight && SB_THUMBPOSITION == kScrollThumbPosition &&
                  SB_THUMBTRACK == kScrollThumbTrack && SB_LEFT == kScrollLeftEnd && SB_RIGHT == kScrollRightEnd,
              "the level rules take the platform's scroll codes");

void DispatchVideo(HWND dialog, HINSTANCE instance, int command);

// The dialog's state for one opening. The driver dialogs it raises are owned by the menu
// window; the configuration-file error dialog by the video dialog itself.
struct VideoDialogState {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    RECT client = {};
    ButtonScreen buttons;
};
VideoDialogState g_video;

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0) {
    return SendDlgItemMessageA(dialog, id, message, wParam, 0);
}

void ShowLevel(HWND dialog, int level) { SetScrollPos(GetDlgItem(dialog, IDC_VIDEO_LEVEL), SB_CTL, level, TRUE); }

// An index outside a list clears its selection, as CB_SETCURSEL does with it.
void SelectEntry(HWND dialog, int id, int index) { SendItem(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index)); }

void ShowBarAndMode(HWND dialog) {
    const VideoSelection shown = SelectionToShow(Video());
    ShowLevel(dialog, shown.bar);
    SelectEntry(dialog, IDC_VIDEO_MODES, shown.mode);
}

void ShowSelection(HWND dialog) {
    ShowBarAndMode(dialog);
    SelectEntry(dialog, IDC_VIDEO_DRIVERS, SelectionToShow(Video()).driver);
}

// What choosing this driver means: a local driver is confirmed; one that must be installed
// into the system gets the guide with its folder (none for the last entry, any other card).
void TellAboutDriver(int driver) {
    if (IsLocalDriver(driver)) {
        ShowDriverInstalledDialog(g_video.owner, g_video.instance);
        return;
    }
    if (!IsSystemInstalledDriver(driver)) return;
    char location[MAX_PATH] = "";
    char folder[MAX_PATH];
    if (driver != Drivers().driverCount - 1 && DriverFolder(driver, folder)) FullPath(folder, location);
    ShowDriverGuideDialog(g_video.owner, g_video.instance, location);
}

void OnDriverChosen(HWND dialog) {
    const LRESULT driver = SendItem(dialog, IDC_VIDEO_DRIVERS, CB_GETCURSEL);
    if (driver == CB_ERR) return;
    VideoSettings& video = Video();
    video.driverIndex = static_cast<int>(driver);
    FillModeList(dialog, video.driverIndex);
    ShowBarAndMode(dialog);
    // The mode stored is the one on show; with none on show the stored one stays.
    const LRESULT mode = SendItem(dialog, IDC_VIDEO_MODES, CB_GETCURSEL);
    if (mode != CB_ERR) video.modeIndex = static_cast<int>(mode);
    TellAboutDriver(video.driverIndex);
    AdoptShownChoice(&video);
}

void OnModeChosen(HWND dialog) {
    const LRESULT mode = SendItem(dialog, IDC_VIDEO_MODES, CB_GETCURSEL);
    if (mode != CB_ERR) Video().modeIndex = static_cast<int>(mode);
    AdoptShownChoice(&Video());
}

// DEFAULT: the defaults on show, the level kept. The mode list is refilled for driver 0, so
// that it never shows another driver's modes under driver 0.
void ResetVideoChoice(HWND dialog) {
    VideoSettings& video = Video();
    video.customFlag = 0;
    video.driverIndex = 0;
    video.modeIndex = 0;
    FillModeList(dialog, 0);
    ShowSelection(dialog);
}

void FinishVideoDialog(HWND dialog) {
    InstallDriver(Video().driverIndex);
    WriteVideoSettings(dialog, g_video.instance, kVideoSettingsFile);
    FreeButtons(g_video.buttons);
    EndDialog(dialog, 1);
}

void DispatchVideo(HWND dialog, HINSTANCE, int command) {
    switch (command) {
    case kCommandVideoDone: FinishVideoDialog(dialog); break;
    case kCommandVideoDefault: ResetVideoChoice(dialog); break;
    default: break;
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    UseTemplateFontAtDrawingDpi(dialog);
    // The background, captions and buttons are drawn in pixels; the screen and its controls are
    // put where those pixels expect them, whatever the dialog font makes of the template's units.
    PlaceDialogInPixels(dialog, g_video.owner, kVideoClientPlace, kVideoControls);
    GetClientRect(dialog, &g_video.client);
    SetScrollRange(GetDlgItem(dialog, IDC_VIDEO_LEVEL), SB_CTL, kLevelMin, kLevelMax, FALSE);
    PlaceButtons(g_video.buttons.board);
    LoadScreenImages(g_video.instance, g_video.buttons);
    if (!ReadDriverList(dialog, g_video.instance, kDriverListFile) ||
        !ReadVideoSettings(dialog, g_video.instance, kVideoSettingsFile)) {
        // Reached only when the error dialog could not end the program.
        EndDialog(dialog, 0);
        return FALSE;
    }
    FillDriverList(dialog);
    FillModeList(dialog, Video().driverIndex);
    ShowSelection(dialog);
    return FALSE;
}

INT_PTR OnEraseBackground(HWND dialog, HDC dc) {
    DrawSlotScaled(dc, 0, 0, g_video.client.right, g_video.client.bottom, kVideoBackgroundSlot);
    DrawVideoCaptions(dialog);
    DrawAllButtons(dialog, g_video.buttons);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    if (HIWORD(wParam) != CBN_SELCHANGE) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_VIDEO_DRIVERS: OnDriverChosen(dialog); return TRUE;
    case IDC_VIDEO_MODES: OnModeChosen(dialog); return TRUE;
    default: return FALSE;
    }
}

INT_PTR OnLevelScroll(HWND dialog, WPARAM wParam) {
    VideoSettings& video = Video();
    AdoptShownChoice(&video);
    video.level = NextCalibrationLevel(video.level, LOWORD(wParam), HIWORD(wParam));
    ShowLevel(dialog, video.level);
    return TRUE;
}

POINT MessagePoint(LPARAM lParam) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return at;
}

INT_PTR CALLBACK VideoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ERASEBKGND: return OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_HSCROLL: return OnLevelScroll(dialog, wParam);
    case WM_MOUSEMOVE: TrackHover(dialog, g_video.buttons, MessagePoint(lParam)); return TRUE;
    case WM_LBUTTONDOWN: HandleClick(dialog, g_video.instance, g_video.buttons, MessagePoint(lParam)); return TRUE;
    case WM_LBUTTONUP: HandleRelease(dialog, g_video.buttons, MessagePoint(lParam)); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool ShowVideoDialog(HWND owner, HINSTANCE instance) {
    g_video.owner = owner;
    g_video.instance = instance;
    InitButtonScreen(g_video.buttons, kVideoTable, DispatchVideo);
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VIDEO), owner, VideoDialogProc, 0);
    FreeButtons(g_video.buttons);
    return result > 0;
}

}  // namespace zorv
