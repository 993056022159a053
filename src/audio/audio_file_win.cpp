#include "audio/audio_file_win.h"

#include <string>

#include "settings/config_file_win.h"

namespace zorv {

bool ReadAudioSettings(HWND owner, HINSTANCE instance, const char* relative, AudioSettings& settings) {
    return ReadConfig(owner, instance, relative,
                      [&settings](const std::string& text) { ParseAudioText(settings, text); });
}

bool WriteAudioSettings(HWND owner, HINSTANCE instance, const char* relative, const AudioSettings& settings) {
    return SaveConfigText(owner, instance, relative, FormatAudioText(settings));
}

}  // namespace zorv
