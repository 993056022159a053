#include "audio/audio_dialog_win.h"

#include "audio/audio_buttons.h"
#include "audio/audio_file_win.h"
#include "audio/music_volume_win.h"
#include "audio/volume_scroll.h"
#include "graphics/image_button_screen_win.h"
#include "platform/dialog_state_win.h"
#include "settings/game_files.h"

namespace zorv {
namespace {

// One opening of the screen; the volumes are the caller's.
struct AudioDialog {
    ImageButtonScreen screen;
    AudioSettings& audio;
};

void ShowVolumes(const AudioSettings& audio, HWND dialog) {
    SetScrollPos(GetDlgItem(dialog, IDC_AUDIO_MUSIC), SB_CTL, audio.music, TRUE);
    SetScrollPos(GetDlgItem(dialog, IDC_AUDIO_SOUND), SB_CTL, audio.sound, TRUE);
}

// The stored volumes, or the defaults while the custom flag is 0, shown and applied.
void ShowAndApply(AudioSettings& audio, HWND dialog) {
    UseDefaultsUnlessCustom(audio);
    ShowVolumes(audio, dialog);
    SetMusicVolume(audio.music);
}

void Done(AudioDialog& state, HWND dialog) {
    WriteAudioSettings(dialog, state.screen.instance(), kAudioSettingsFile, state.audio);
    state.screen.End(dialog);
}

void Default(AudioSettings& audio, HWND dialog) {
    audio.customFlag = 0;
    ShowAndApply(audio, dialog);
}

void RunCommand(AudioDialog& state, HWND dialog, int command);

INT_PTR OnInitDialog(AudioDialog& state, HWND dialog) {
    state.screen.Open(dialog, [&state, dialog](int command) { RunCommand(state, dialog, command); });
    for (const ControlSpec& bar : kVolumeBars)
        SetScrollRange(GetDlgItem(dialog, bar.controlId), SB_CTL, kVolumeMin, kVolumeMax, FALSE);
    // A file that cannot be read ends the program through the error dialog.
    ReadAudioSettings(dialog, state.screen.instance(), kAudioSettingsFile, state.audio);
    BeginMixerMessages();
    ShowAndApply(state.audio, dialog);
    // The bars are no tab stops (the screen moves its own focus), so the system would choose none.
    SetFocus(GetDlgItem(dialog, IDC_AUDIO_MUSIC));
    return FALSE;
}

// Notifications from anything but the two bars are not the screen's.
INT_PTR OnHorizontalScroll(AudioSettings& audio, HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    int* volume = id == IDC_AUDIO_MUSIC ? &audio.music : id == IDC_AUDIO_SOUND ? &audio.sound : nullptr;
    if (!volume) return FALSE;
    *volume = ScrolledVolume(*volume, LOWORD(wParam), HIWORD(wParam));
    SetMusicVolume(audio.music);
    ShowVolumes(audio, dialog);
    audio.customFlag = 1;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
    return TRUE;
}

// A button's command, from a click, the keyboard or a controller.
void RunCommand(AudioDialog& state, HWND dialog, int command) {
    switch (command) {
    case kCommandAudioDone: Done(state, dialog); break;
    case kCommandAudioDefault: Default(state.audio, dialog); break;
    default: break;
    }
}

// Handles no commands: Enter, Escape and the close command never end the screen.
INT_PTR CALLBACK AudioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AudioDialog* state = DialogState<AudioDialog>(dialog, message, lParam);
    if (!state || state->screen.Orphaned()) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(*state, dialog);
    case WM_HSCROLL: return OnHorizontalScroll(state->audio, dialog, wParam, lParam);
    default: return state->screen.HandleMessage(dialog, message, wParam, lParam);
    }
}

}  // namespace

bool ShowAudioDialog(HWND owner, HINSTANCE instance, AudioSettings& audio) {
    AudioDialog state{ImageButtonScreen(kAudioScreen, owner, instance), audio};
    return RunDialog(instance, kAudioScreen.dialog.templateId, owner, AudioDialogProc, state) > 0;
}

}  // namespace zorv
