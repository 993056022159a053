#include "audio/audio_file_win.h"

#include <string>

#include "audio/audio_settings.h"
#include "common/config_file_win.h"

namespace zorv {

bool ReadAudioSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return ReadConfig(owner, instance, relative, [](const std::string& text) { ParseAudioText(Audio(), text); });
}

bool WriteAudioSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return SaveConfigText(owner, instance, relative, FormatAudioText(Audio()));
}

}  // namespace zorv
