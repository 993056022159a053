// Where a screen draws which caption: the screens' tables name the caption and its place; the
// texts come from the caption file at run time.
#pragma once

#include "captions/caption_file.h"

namespace zorv {

enum class CaptionId {
    kMusicVolume,  // "a0:"
    kSoundVolume,  // "a1:"
    kVideoDriver,  // "v0:"
    kVideoMode,    // "v1:"
    kVideoLevel,   // "v2:"
};

// A caption's top-left corner in the screen's client pixels.
struct CaptionPlace {
    CaptionId caption;
    int x, y;
};

constexpr const char* CaptionText(const CaptionTable& table, CaptionId id) {
    switch (id) {
    case CaptionId::kMusicVolume: return table.audio[0];
    case CaptionId::kSoundVolume: return table.audio[1];
    case CaptionId::kVideoDriver: return table.video[0];
    case CaptionId::kVideoMode: return table.video[1];
    case CaptionId::kVideoLevel: return table.video[2];
    }
    return "";
}

}  // namespace zorv
