#include "common/multimedia_win.h"

#include "common/library_function_win.h"

namespace zorv {
namespace {

struct Winmm {
    // Kept for the life of the program, as an imported library would be.
    HMODULE module = LoadLibraryA("winmm.dll");
    decltype(&::mciSendCommandA) mciSendCommand = FindFunction(module, "mciSendCommandA");
    decltype(&::sndPlaySoundA) sndPlaySound = FindFunction(module, "sndPlaySoundA");
    decltype(&::mixerOpen) mixerOpen = FindFunction(module, "mixerOpen");
    decltype(&::mixerClose) mixerClose = FindFunction(module, "mixerClose");
    decltype(&::mixerGetLineInfoA) mixerGetLineInfo = FindFunction(module, "mixerGetLineInfoA");
    decltype(&::mixerGetLineControlsA) mixerGetLineControls = FindFunction(module, "mixerGetLineControlsA");
    decltype(&::mixerGetControlDetailsA) mixerGetControlDetails = FindFunction(module, "mixerGetControlDetailsA");
    decltype(&::mixerSetControlDetails) mixerSetControlDetails = FindFunction(module, "mixerSetControlDetails");
    decltype(&::joyGetNumDevs) joyGetNumDevs = FindFunction(module, "joyGetNumDevs");
    decltype(&::joyGetDevCapsA) joyGetDevCaps = FindFunction(module, "joyGetDevCapsA");
    decltype(&::joyGetPosEx) joyGetPosEx = FindFunction(module, "joyGetPosEx");
};

const Winmm& Library() {
    static const Winmm winmm;
    return winmm;
}

// The library's function, or `failure` when the library or the function cannot be had.
template <typename Function, typename Result, typename... Args>
Result Call(Function Winmm::*function, Result failure, Args... args) {
    const Function call = Library().*function;
    return call ? call(args...) : failure;
}

constexpr MMRESULT kNoMixer = MMSYSERR_NODRIVER;

}  // namespace

MCIERROR MciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    return Call(&Winmm::mciSendCommand, MCIERROR{MCIERR_DEVICE_NOT_INSTALLED}, device, message, flags, parameters);
}

BOOL SndPlaySound(LPCSTR sound, UINT flags) { return Call(&Winmm::sndPlaySound, BOOL{FALSE}, sound, flags); }

MMRESULT MixerOpen(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    return Call(&Winmm::mixerOpen, kNoMixer, mixer, device, callback, instance, flags);
}

MMRESULT MixerClose(HMIXER mixer) { return Call(&Winmm::mixerClose, kNoMixer, mixer); }

MMRESULT MixerGetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) {
    return Call(&Winmm::mixerGetLineInfo, kNoMixer, mixer, line, flags);
}

MMRESULT MixerGetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls, DWORD flags) {
    return Call(&Winmm::mixerGetLineControls, kNoMixer, mixer, controls, flags);
}

MMRESULT MixerGetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
    return Call(&Winmm::mixerGetControlDetails, kNoMixer, mixer, details, flags);
}

MMRESULT MixerSetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
    return Call(&Winmm::mixerSetControlDetails, kNoMixer, mixer, details, flags);
}

UINT JoyGetNumDevs() { return Call(&Winmm::joyGetNumDevs, UINT{0}); }

MMRESULT JoyGetDevCaps(UINT joystick, JOYCAPSA* caps, UINT size) {
    return Call(&Winmm::joyGetDevCaps, MMRESULT{MMSYSERR_NODRIVER}, static_cast<UINT_PTR>(joystick), caps, size);
}

MMRESULT JoyGetPosEx(UINT joystick, JOYINFOEX* info) {
    return Call(&Winmm::joyGetPosEx, MMRESULT{MMSYSERR_NODRIVER}, joystick, info);
}

}  // namespace zorv
