// Reading and writing the video calibration's files. A file that cannot be opened brings up the
// configuration-file error dialog, owned by `owner`, with its full path.
#pragma once

#include <windows.h>

// The files' names, kVideoSettingsFile and kDriverListFile.
#include "settings/game_files.h"
#include "video/video_files.h"

namespace zorv {

// True when the file was read into the record; false after the error dialog.
bool ReadDriverList(HWND owner, HINSTANCE instance, const char* relative, DriverList& list);
bool ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative, VideoSettings& settings);
// Saves the four lines; false after the error dialog (the old file is left as it was).
bool WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative, const VideoSettings& settings);

}  // namespace zorv
