// Reading and writing the video calibration's files, and filling the calibration dialog's two
// lists from the driver list. A file that cannot be opened brings up the configuration-file
// error dialog, owned by `owner`, with its full path.
#pragma once

#include <windows.h>

// The files' names, kVideoSettingsFile and kDriverListFile.
#include "common/game_files.h"

namespace zorv {

// 1 when the file was read into the process-wide records; 0 after the error dialog.
int ReadDriverList(HWND owner, HINSTANCE instance, const char* relative);
int ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative);
// Saves the four lines; 0 after the error dialog (the old file is left as it was).
int WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative);

// The driver display names, in file order, into the dialog's driver list.
void FillDriverList(HWND dialog);
// Empties the dialog's display-mode list and adds the entries for the driver.
void FillModeList(HWND dialog, int driverIndex);

}  // namespace zorv
