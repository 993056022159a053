#include "audio/music_volume.h"

namespace zorv {
namespace {

struct LevelRow {
    int highestMusic;  // the level covers Music values up to this one
    uint32_t divisor;
};
constexpr LevelRow kLevels[kMusicLevels] = {{10, 12}, {20, 8}, {30, 4}, {40, 2}, {50, 1}};

constexpr const char* kMessageTexts[kMixerMessageCount] = {
    " Mixer Open Error1",
    " Mixer Open Error2",
    "mixer memory allocation error",
    " Mixer Open Error3",
};

}  // namespace

int MusicLevel(int music, int previousLevel) {
    if (music < 0) return previousLevel;
    for (int level = 0; level < kMusicLevels; ++level) {
        if (music <= kLevels[level].highestMusic) return level;
    }
    return previousLevel;
}

uint32_t MixerVolumeValue(uint32_t minimum, uint32_t maximum, int level) {
    if (level < 0) level = 0;
    if (level >= kMusicLevels) level = kMusicLevels - 1;
    uint64_t value = (static_cast<uint64_t>(minimum) + maximum) / kLevels[level].divisor;
    if (value < minimum) value = minimum;
    if (value > maximum) value = maximum;  // also for bounds the wrong way round
    return static_cast<uint32_t>(value);
}

const char* MixerMessageText(MixerMessage message) {
    if (message < 0 || message >= kMixerMessageCount) return "";
    return kMessageTexts[message];
}

}  // namespace zorv
