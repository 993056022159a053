#pragma once

#include <windows.h>

namespace zorv {

// True when the file was opened; otherwise the configuration-file error dialog has been shown.
bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName);
bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName);

}  // namespace zorv
