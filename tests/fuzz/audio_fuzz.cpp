// Feeds whole files to the audio settings reader. Whatever the file held, the record must
// save and read back unchanged, and the music level and control value made from it must stay
// within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audio/audio_settings.h"
#include "audio/music_volume.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    AudioSettings settings;
    ParseAudioText(settings, std::string(reinterpret_cast<const char*>(data), size));

    AudioSettings reread = {-1, -1, -1};
    ParseAudioText(reread, FormatAudioText(settings));
    if (reread.customFlag != settings.customFlag || reread.music != settings.music || reread.sound != settings.sound) {
        std::abort();
    }

    const int level = MusicLevel(settings.music, 2);
    if (level < 0 || level >= kMusicLevels) std::abort();
    const uint32_t minimum = static_cast<uint32_t>(settings.sound);
    const uint32_t maximum = static_cast<uint32_t>(settings.customFlag);
    const uint32_t value = MixerVolumeValue(minimum, maximum, level);
    if (value > maximum || (minimum <= maximum && value < minimum)) std::abort();
    return 0;
}
