#include "video/video_files_win.h"

#include <string>

#include "settings/config_file_win.h"

namespace zorv {

bool ReadDriverList(HWND owner, HINSTANCE instance, const char* relative, DriverList& list) {
    return ReadConfig(owner, instance, relative, [&list](const std::string& text) { ParseDriverList(text, &list); });
}

bool ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative, VideoSettings& settings) {
    return ReadConfig(owner, instance, relative,
                      [&settings](const std::string& text) { ParseVideoSettings(text, &settings); });
}

bool WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative, const VideoSettings& settings) {
    return SaveConfigText(owner, instance, relative, FormatVideoSettings(settings));
}

}  // namespace zorv
