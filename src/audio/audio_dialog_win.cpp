#include "audio/audio_dialog_win.h"

#include "audio/audio_buttons.h"
#include "audio/audio_file_win.h"
#include "audio/audio_settings.h"
#include "audio/music_volume_win.h"
#include "audio/volume_scroll.h"
#include "captions/captions_win.h"
#include "graphics/dialog_layout_win.h"
#include "graphics/dpi_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"

namespace zorv {
namespace {

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT && kScrollPageLeft == SB_PAGELEFT &&
                  kScrollPageRight == SB_PAGERIGHT && kScrollThumbPosition == SB_THUMBPOSITION &&
                  kScrollThumbTrack == SB_THUMBTRACK && kScrollLeftEnd == SB_LEFT && kScrollRightEnd == SB_RIGHT &&
                  kScrollEnd == SB_ENDSCROLL,
              "scroll codes are the system's");

constexpr int kBackgroundSlot = 4;

struct AudioDialog {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    RECT client = {};
    ButtonScreen buttons;
};
AudioDialog g_audio;

POINT MessagePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void ShowVolumes(HWND dialog) {
    SetScrollPos(GetDlgItem(dialog, IDC_AUDIO_MUSIC), SB_CTL, Audio().music, TRUE);
    SetScrollPos(GetDlgItem(dialog, IDC_AUDIO_SOUND), SB_CTL, Audio().sound, TRUE);
}

// The stored volumes, or the defaults while the custom flag is 0, shown and applied.
void ShowAndApply(HWND dialog) {
    UseDefaultsUnlessCustom(Audio());
    ShowVolumes(dialog);
    SetMusicVolume(Audio().music);
}

void Done(HWND dialog) {
    WriteAudioSettings(dialog, g_audio.instance, kAudioFileName);
    FreeButtons(g_audio.buttons);
    EndDialog(dialog, 1);
}

void Default(HWND dialog) {
    Audio().customFlag = 0;
    ShowAndApply(dialog);
}

void DispatchAudio(HWND dialog, HINSTANCE, int command) {
    switch (command) {
    case kCommandAudioDone: Done(dialog); break;
    case kCommandAudioDefault: Default(dialog); break;
    default: break;
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    UseTemplateFontAtDrawingDpi(dialog);
    // The background, captions and buttons are drawn in pixels; the screen and its bars are put
    // where those pixels expect them.
    PlaceDialogInPixels(dialog, g_audio.owner, kAudioClientPlace, kVolumeBars);
    GetClientRect(dialog, &g_audio.client);
    for (const ControlPlace& bar : kVolumeBars) {
        SetScrollRange(GetDlgItem(dialog, bar.controlId), SB_CTL, kVolumeMin, kVolumeMax, FALSE);
    }
    InitButtonScreen(g_audio.buttons, kAudioTable, DispatchAudio);
    LoadScreenImages(g_audio.instance, g_audio.buttons);
    // A file that cannot be read ends the program through the error dialog.
    ReadAudioSettings(dialog, g_audio.instance, kAudioFileName);
    BeginMixerMessages();
    ShowAndApply(dialog);
    return TRUE;
}

INT_PTR OnEraseBackground(HWND dialog, HDC dc) {
    DrawSlotScaled(dc, 0, 0, g_audio.client.right, g_audio.client.bottom, kBackgroundSlot);
    DrawAudioCaptions(dialog);
    DrawAllButtons(dialog, g_audio.buttons);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

// Notifications from anything but the two bars are not the screen's.
INT_PTR OnHorizontalScroll(HWND dialog, HWND bar, int code, int position) {
    const int id = GetDlgCtrlID(bar);
    int* volume = id == IDC_AUDIO_MUSIC ? &Audio().music : id == IDC_AUDIO_SOUND ? &Audio().sound : nullptr;
    if (!volume) return FALSE;
    *volume = ScrolledVolume(*volume, code, position);
    SetMusicVolume(Audio().music);
    ShowVolumes(dialog);
    Audio().customFlag = 1;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
    return TRUE;
}

INT_PTR OnMouseMove(HWND dialog, LPARAM at) {
    TrackHover(dialog, g_audio.buttons, MessagePoint(at));
    return TRUE;
}

INT_PTR OnLeftButtonDown(HWND dialog, LPARAM at) {
    HandleClick(dialog, g_audio.instance, g_audio.buttons, MessagePoint(at));
    return TRUE;
}

INT_PTR OnLeftButtonUp(HWND dialog, LPARAM at) {
    HandleRelease(dialog, g_audio.buttons, MessagePoint(at));
    return TRUE;
}

// Pictures still held when the window goes (DONE has normally released them) go with it.
INT_PTR OnDestroy() {
    FreeButtons(g_audio.buttons);
    return FALSE;
}

// Handles no commands: Enter, Escape and the close command never end the screen.
INT_PTR CALLBACK AudioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ERASEBKGND: return OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_HSCROLL: return OnHorizontalScroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
    case WM_MOUSEMOVE: return OnMouseMove(dialog, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(dialog, lParam);
    case WM_LBUTTONUP: return OnLeftButtonUp(dialog, lParam);
    case WM_DESTROY: return OnDestroy();
    default: return FALSE;
    }
}

}  // namespace

bool ShowAudioDialog(HWND owner, HINSTANCE instance) {
    g_audio.owner = owner;
    g_audio.instance = instance;
    g_audio.buttons.imagesNotLoaded = true;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_AUDIO), owner, AudioDialogProc, 0) > 0;
}

}  // namespace zorv
