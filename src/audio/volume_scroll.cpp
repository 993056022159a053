#include "audio/volume_scroll.h"

namespace zorv {

int ScrolledVolume(int value, int code, int thumbPosition) {
    return ScrolledValue(value, code, thumbPosition, ScrollRange{kVolumeMin, kVolumeMax, kVolumeStep});
}

void UseDefaultsUnlessCustom(AudioSettings& settings) {
    if (settings.customFlag != 0) return;
    settings.music = kDefaultVolume;
    settings.sound = kDefaultVolume;
}

}  // namespace zorv
