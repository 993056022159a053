// How the audio screen's volume bars move: steps of 10 within 0..50, and the defaults.
#pragma once

#include "audio/audio_settings.h"
// The notification codes, kScrollLineLeft to kScrollEnd.
#include "input/scroll_bar.h"

namespace zorv {

constexpr int kVolumeStep = 10;

// The volume after one notification: a line or page moves it 10 toward that side, but not
// past 0 or 50; the thumb gives its position (held within 0..50); the ends give 0 or 50; any
// other code leaves it unchanged. A value already outside 0..50 (as a file may hold it) is
// stepped from where it is, without overflow.
int ScrolledVolume(int value, int code, int thumbPosition);

// Both volumes to the default while the custom flag is 0; the stored ones stay otherwise.
void UseDefaultsUnlessCustom(AudioSettings& settings);

}  // namespace zorv
