#include "common/multimedia_win.h"

namespace zorv {
namespace {

struct Winmm {
    decltype(&::mciSendCommandA) mciSendCommand = nullptr;
    decltype(&::sndPlaySoundA) sndPlaySound = nullptr;
    decltype(&::mixerOpen) mixerOpen = nullptr;
    decltype(&::mixerClose) mixerClose = nullptr;
    decltype(&::mixerGetLineInfoA) mixerGetLineInfo = nullptr;
    decltype(&::mixerGetLineControlsA) mixerGetLineControls = nullptr;
    decltype(&::mixerGetControlDetailsA) mixerGetControlDetails = nullptr;
    decltype(&::mixerSetControlDetails) mixerSetControlDetails = nullptr;
};

template <typename Function>
void Find(HMODULE module, const char* name, Function* out) {
    *out = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Winmm Load() {
    Winmm winmm;
    // Kept for the life of the program, as an imported library would be.
    HMODULE module = LoadLibraryA("winmm.dll");
    if (!module) return winmm;
    Find(module, "mciSendCommandA", &winmm.mciSendCommand);
    Find(module, "sndPlaySoundA", &winmm.sndPlaySound);
    Find(module, "mixerOpen", &winmm.mixerOpen);
    Find(module, "mixerClose", &winmm.mixerClose);
    Find(module, "mixerGetLineInfoA", &winmm.mixerGetLineInfo);
    Find(module, "mixerGetLineControlsA", &winmm.mixerGetLineControls);
    Find(module, "mixerGetControlDetailsA", &winmm.mixerGetControlDetails);
    Find(module, "mixerSetControlDetails", &winmm.mixerSetControlDetails);
    return winmm;
}

const Winmm& Library() {
    static const Winmm winmm = Load();
    return winmm;
}

}  // namespace

MCIERROR MciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    const Winmm& winmm = Library();
    return winmm.mciSendCommand ? winmm.mciSendCommand(device, message, flags, parameters)
                                : MCIERR_DEVICE_NOT_INSTALLED;
}

BOOL SndPlaySound(LPCSTR sound, UINT flags) {
    const Winmm& winmm = Library();
    return winmm.sndPlaySound ? winmm.sndPlaySound(sound, flags) : FALSE;
}

MMRESULT MixerOpen(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    const Winmm& winmm = Library();
    return winmm.mixerOpen ? winmm.mixerOpen(mixer, device, callback, instance, flags) : MMSYSERR_NODRIVER;
}

MMRESULT MixerClose(HMIXER mixer) {
    const Winmm& winmm = Library();
    return winmm.mixerClose ? winmm.mixerClose(mixer) : MMSYSERR_NODRIVER;
}

MMRESULT MixerGetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) {
    const Winmm& winmm = Library();
    return winmm.mixerGetLineInfo ? winmm.mixerGetLineInfo(mixer, line, flags) : MMSYSERR_NODRIVER;
}

MMRESULT MixerGetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls, DWORD flags) {
    const Winmm& winmm = Library();
    return winmm.mixerGetLineControls ? winmm.mixerGetLineControls(mixer, controls, flags) : MMSYSERR_NODRIVER;
}

MMRESULT MixerGetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
    const Winmm& winmm = Library();
    return winmm.mixerGetControlDetails ? winmm.mixerGetControlDetails(mixer, details, flags) : MMSYSERR_NODRIVER;
}

MMRESULT MixerSetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
    const Winmm& winmm = Library();
    return winmm.mixerSetControlDetails ? winmm.mixerSetControlDetails(mixer, details, flags) : MMSYSERR_NODRIVER;
}

}  // namespace zorv
