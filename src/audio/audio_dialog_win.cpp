#include "audio/audio_dialog_win.h"

#include "audio/audio_buttons.h"
#include "audio/audio_file_win.h"
#include "audio/audio_settings.h"
#include "audio/music_volume_win.h"
#include "audio/volume_scroll.h"
#include "common/dialog_state_win.h"
#include "common/game_files.h"
#include "graphics/image_button_screen_win.h"

namespace zorv {
namespace {

// One opening of the screen. The volumes live in the process-wide audio record.
struct AudioDialog {
    ImageButtonScreen screen;
};

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

void Done(AudioDialog& state, HWND dialog) {
    WriteAudioSettings(dialog, state.screen.instance(), kAudioSettingsFile);
    state.screen.End(dialog);
}

void Default(HWND dialog) {
    Audio().customFlag = 0;
    ShowAndApply(dialog);
}

INT_PTR OnInitDialog(AudioDialog& state, HWND dialog) {
    state.screen.Open(dialog);
    for (const ControlSpec& bar : kVolumeBars)
        SetScrollRange(GetDlgItem(dialog, bar.controlId), SB_CTL, kVolumeMin, kVolumeMax, FALSE);
    // A file that cannot be read ends the program through the error dialog.
    ReadAudioSettings(dialog, state.screen.instance(), kAudioSettingsFile);
    BeginMixerMessages();
    ShowAndApply(dialog);
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

INT_PTR OnLeftButtonDown(AudioDialog& state, HWND dialog, LPARAM at) {
    switch (state.screen.Press(dialog, at)) {
    case kCommandAudioDone: Done(state, dialog); break;
    case kCommandAudioDefault: Default(dialog); break;
    default: break;
    }
    return TRUE;
}

// Handles no commands: Enter, Escape and the close command never end the screen.
INT_PTR CALLBACK AudioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AudioDialog* state = DialogState<AudioDialog>(dialog, message, lParam);
    if (!state) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(*state, dialog);
    case WM_HSCROLL: return OnHorizontalScroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
    case WM_LBUTTONDOWN: return OnLeftButtonDown(*state, dialog, lParam);
    default: return state->screen.HandleMessage(dialog, message, wParam, lParam);
    }
}

}  // namespace

bool ShowAudioDialog(HWND owner, HINSTANCE instance) {
    AudioDialog state{ImageButtonScreen(kAudioScreen, owner, instance)};
    return RunDialog(instance, kAudioScreen.dialog.templateId, owner, AudioDialogProc, state) > 0;
}

}  // namespace zorv
