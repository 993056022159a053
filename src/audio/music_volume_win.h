// Setting the music volume: the volume control of the CD-audio source of the first mixer's
// recording destination follows the Music value.
#pragma once

#include "audio/mixer_win.h"

namespace zorv {

// Applies a Music value (normally 0..50) to the system's first mixer. Failures are told
// through the message box routine, each text at most once between two calls of
// BeginMixerMessages, so that a machine without a mixer is told once per dialog opening
// rather than at every scroll event. A destination without a CD-audio source, or a source
// without a volume control, is left alone in silence. True when a message was shown.
bool SetMusicVolume(int value);

// The same on the given mixer, with the same level and message state.
bool SetMusicVolumeOn(MixerDevice& mixer, int value);

// Starts a new round in which each mixer message may be shown once again (the audio dialog
// calls it when it opens).
void BeginMixerMessages();

}  // namespace zorv
