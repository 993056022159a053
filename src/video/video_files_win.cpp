#include "video/video_files_win.h"

#include <string>

#include "common/config_file_win.h"
#include "video/video_files.h"

namespace zorv {

bool ReadDriverList(HWND owner, HINSTANCE instance, const char* relative) {
    return ReadConfig(owner, instance, relative, [](const std::string& text) { ParseDriverList(text, &Drivers()); });
}

bool ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return ReadConfig(owner, instance, relative, [](const std::string& text) { ParseVideoSettings(text, &Video()); });
}

bool WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return SaveConfigText(owner, instance, relative, FormatVideoSettings(Video()));
}

}  // namespace zorv
