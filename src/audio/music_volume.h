// From a Music value on the 0..50 scale to the value of a mixer volume control, and the texts
// that tell the player why the music volume could not be set.
#pragma once

#include <cstdint>

namespace zorv {

constexpr int kMusicLevels = 5;

// The level of a Music value: 0..10 gives 0, 11..20 gives 1, 21..30 gives 2, 31..40 gives 3,
// 41..50 gives 4. A value outside 0..50 keeps `previousLevel`.
int MusicLevel(int music, int previousLevel);

// The control value for a level: (minimum + maximum) divided by 12, 8, 4, 2 or 1, truncated,
// so that level 0 is a twelfth of the sum rather than silence. The sum is taken without
// wrapping, and a result outside the control's own bounds is brought back inside them.
uint32_t MixerVolumeValue(uint32_t minimum, uint32_t maximum, int level);

enum MixerMessage {
    kMixerOpenFailed,       // the first mixer cannot be opened
    kMixerNoRecordingLine,  // it has no recording destination
    kMixerNoMemory,         // the control record cannot be allocated
    kMixerSetFailed,        // the mixer refused the new value
    kMixerMessageCount,
};

// The exact text shown for each message, leading spaces included.
const char* MixerMessageText(MixerMessage message);

}  // namespace zorv
