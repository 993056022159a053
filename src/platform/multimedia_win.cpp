#include "platform/multimedia_win.h"

#include <atomic>

#include "platform/library_function_win.h"

namespace zorv {
namespace {

// The library's functions, all null until it has been loaded, and for good where it cannot be.
struct Winmm {
    void Load() {
        // Kept for the life of the program, as an imported library would be.
        const HMODULE module = LoadSystemLibrary("winmm.dll");
        mciSendCommand = FindFunction(module, "mciSendCommandA");
        sndPlaySound = FindFunction(module, "sndPlaySoundA");
        mixerOpen = FindFunction(module, "mixerOpen");
        mixerClose = FindFunction(module, "mixerClose");
        mixerGetLineInfo = FindFunction(module, "mixerGetLineInfoA");
        mixerGetLineControls = FindFunction(module, "mixerGetLineControlsA");
        mixerGetControlDetails = FindFunction(module, "mixerGetControlDetailsA");
        mixerSetControlDetails = FindFunction(module, "mixerSetControlDetails");
        joyGetNumDevs = FindFunction(module, "joyGetNumDevs");
        joyGetDevCaps = FindFunction(module, "joyGetDevCapsA");
        joyGetPosEx = FindFunction(module, "joyGetPosEx");
    }

    decltype(&::mciSendCommandA) mciSendCommand;
    decltype(&::sndPlaySoundA) sndPlaySound;
    decltype(&::mixerOpen) mixerOpen;
    decltype(&::mixerClose) mixerClose;
    decltype(&::mixerGetLineInfoA) mixerGetLineInfo;
    decltype(&::mixerGetLineControlsA) mixerGetLineControls;
    decltype(&::mixerGetControlDetailsA) mixerGetControlDetails;
    decltype(&::mixerSetControlDetails) mixerSetControlDetails;
    decltype(&::joyGetNumDevs) joyGetNumDevs;
    decltype(&::joyGetDevCapsA) joyGetDevCaps;
    decltype(&::joyGetPosEx) joyGetPosEx;
};

// Process-wide: the program has one multimedia library, which any thread may be the first to
// need (a controller found is opened on a thread of its own). The first caller loads it and the
// others wait until it has: a function-local static would be guarded by a semaphore that the 95
// family cannot make (CreateSemaphoreW is a stub there), which leaves two first callers unguarded.
Winmm g_winmm;
std::atomic<bool> g_claimed{false};
std::atomic<bool> g_loaded{false};

const Winmm& Library() {
    if (g_loaded.load(std::memory_order_acquire)) return g_winmm;
    if (!g_claimed.exchange(true)) {
        g_winmm.Load();
        g_loaded.store(true, std::memory_order_release);
    }
    while (!g_loaded.load(std::memory_order_acquire)) Sleep(1);
    return g_winmm;
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
