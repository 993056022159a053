// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The first-run flag's file, .\info\InitFlag.flg, read and written with the settings files'
// error dialog.
#pragma once

#include <windows.h>

namespace zorv {

// The first-run flag (settings/first_run_flag.h) read into `flag`, or written from it. True when
// the file was opened; otherwise the configuration-file error dialog has been shown.
bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int& flag);
bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int flag);

}  // namespace zorv
