#include "audio/mixer_win.h"

#include "platform/multimedia_win.h"

namespace zorv {
namespace {

// Every query names the mixer by its open handle.
HMIXEROBJ Object(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

class WinmmMixer : public MixerDevice {
public:
    MMRESULT Open(UINT device, HMIXER* mixer) override { return MixerOpen(mixer, device, 0, 0, MIXER_OBJECTF_MIXER); }
    MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) override {
        return MixerGetLineInfo(Object(mixer), line, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) override {
        return MixerGetLineControls(Object(mixer), controls, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        return MixerGetControlDetails(Object(mixer), details, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        return MixerSetControlDetails(Object(mixer), details, flags | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT Close(HMIXER mixer) override { return MixerClose(mixer); }
};

}  // namespace

MixerDevice& SystemMixer() {
    static WinmmMixer mixer;
    return mixer;
}

}  // namespace zorv
