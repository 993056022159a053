#include "audio/volume_scroll.h"

namespace zorv {
namespace {

int Clamp(long long value) {
    return value < kVolumeMin ? kVolumeMin : value > kVolumeMax ? kVolumeMax : static_cast<int>(value);
}

}  // namespace

int ScrolledVolume(int value, int code, int thumbPosition) {
    const long long v = value;
    switch (code) {
    case kScrollLineLeft:
    case kScrollPageLeft: return v - kVolumeStep < kVolumeMin ? kVolumeMin : static_cast<int>(v - kVolumeStep);
    case kScrollLineRight:
    case kScrollPageRight: return v + kVolumeStep > kVolumeMax ? kVolumeMax : static_cast<int>(v + kVolumeStep);
    case kScrollThumbPosition:
    case kScrollThumbTrack: return Clamp(thumbPosition);
    case kScrollLeftEnd: return kVolumeMin;
    case kScrollRightEnd: return kVolumeMax;
    default: return value;
    }
}

void UseDefaultsUnlessCustom(AudioSettings& settings) {
    if (settings.customFlag != 0) return;
    settings.music = kDefaultVolume;
    settings.sound = kDefaultVolume;
}

}  // namespace zorv
