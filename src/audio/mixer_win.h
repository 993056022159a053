// The few WINMM mixer calls the music volume needs, behind an interface of their own: the
// program always uses the system's mixer; the Wine-run tests put a scripted one in its place.
// Each call takes and returns what the WINMM function of the same purpose does.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

namespace zorv {

class MixerDevice {
public:
    virtual ~MixerDevice() = default;
    virtual MMRESULT Open(UINT device, HMIXER* mixer) = 0;
    virtual MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) = 0;
    virtual MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) = 0;
    virtual MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) = 0;
    virtual MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) = 0;
    virtual MMRESULT Close(HMIXER mixer) = 0;
};

// The system's mixers through WINMM.
MixerDevice& SystemMixer();

}  // namespace zorv
