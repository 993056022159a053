#pragma once

#include <windows.h>

namespace zorv {

// The first-run flag (common/first_run_flag.h) read into `flag`, or written from it. True when
// the file was opened; otherwise the configuration-file error dialog has been shown.
bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int& flag);
bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int flag);

}  // namespace zorv
