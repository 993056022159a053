// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// The multimedia library (WINMM: the interface sounds, the intro movie's device, the mixer, the
// joystick interface),
// loaded by the first call that needs it instead of with the program. Under Wine it brings the
// sound system and COM libraries along, a good share of the time to the menu, and a start
// without a movie needs none of it before the first sound.
//
// Each call takes and returns what the WINMM function of the same name does. When the library
// or the function cannot be found, the call fails the way WINMM does on a machine without the
// device: MCIERR_DEVICE_NOT_INSTALLED, MMSYSERR_NODRIVER, FALSE for a sound, no joysticks.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

namespace zorv {

MCIERROR MciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);
BOOL SndPlaySound(LPCSTR sound, UINT flags);

MMRESULT MixerOpen(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT MixerClose(HMIXER mixer);
MMRESULT MixerGetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags);
MMRESULT MixerGetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls, DWORD flags);
MMRESULT MixerGetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags);
MMRESULT MixerSetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags);

UINT JoyGetNumDevs();
MMRESULT JoyGetDevCaps(UINT joystick, JOYCAPSA* caps, UINT size);
MMRESULT JoyGetPosEx(UINT joystick, JOYINFOEX* info);

}  // namespace zorv
