#include "audio/mixer_win.h"

namespace zorv {
namespace {

// Every query names the mixer by its open handle.
HMIXEROBJ Object(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

class WinmmMixer : public MixerDevice {
public:
    MMRESULT Open(UINT device, HMIXER* mixer) override { return mixerOpen(mixer, device, 0, 0, MIXER_OBJECTF_MIXER); }
    MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) override {
        return mixerGetLineInfoA(Object(mixer), line, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) override {
        return mixerGetLineControlsA(Object(mixer), controls, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        return mixerGetControlDetailsA(Object(mixer), details, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        return mixerSetControlDetails(Object(mixer), details, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT Close(HMIXER mixer) override { return mixerClose(mixer); }
};

}  // namespace

MixerDevice& SystemMixer() {
    static WinmmMixer mixer;
    return mixer;
}

}  // namespace zorv
