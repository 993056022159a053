// The video calibration dialog (template 177): the OpenGL driver, the display mode and the
// calibration level, saved to ".\info\video.cfg" by DONE, which also installs the driver.
#pragma once

#include <windows.h>

#include "video/video_files.h"

namespace zorv {

// Runs the dialog modally over `owner` (the menu window), reading the files into `video` and
// `drivers` as it opens; returns once DONE closed it, with the choice saved and kept in `video`.
// True when it ended with a non-zero result. A settings file that cannot be read or written ends
// the program through the configuration-file error dialog.
bool ShowVideoDialog(HWND owner, HINSTANCE instance, VideoSettings& video, DriverList& drivers);

}  // namespace zorv
