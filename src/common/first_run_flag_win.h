#pragma once

#include <windows.h>

namespace zorv {

// 1 when the file was opened; otherwise the configuration-file error dialog has been shown.
int ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName);
int WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName);

}  // namespace zorv
