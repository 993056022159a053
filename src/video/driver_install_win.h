// Installing the chosen OpenGL driver: a local driver's two libraries are copied from its
// folder under ".\Driver\" into the game folder, where the game finds them before the system's;
// any other choice removes those copies. Failures are not reported: the choice is saved anyway.
#pragma once

#include <windows.h>

// The driver folder and the libraries' names: kDriverFolder, kGluLibrary, kOpenGlLibrary.
#include "settings/game_files.h"
#include "video/video_files.h"

namespace zorv {

// Drivers 1 to 3 of the driver list (when the list has them) are copied; every other index,
// one outside the list included, removes ".\Opengl32.dll" and ".\Glu32.dll".
void InstallDriver(const DriverList& list, int driverIndex);

// ".\Driver\" followed by the driver's directory name; false (and `out` empty) for an index
// outside the driver list.
bool DriverFolder(const DriverList& list, int driverIndex, char (&out)[MAX_PATH]);

// Copies `library` (kGluLibrary or kOpenGlLibrary) from the driver folder `driverPath` (relative
// or full) into the game folder, replacing an earlier copy. When the folder has no such file,
// the game folder's copy is removed too, so that it never keeps a library of another driver.
// A path that does not fit MAX_PATH copies nothing. Always returns 1.
int CopyDriverFile(const char* driverPath, const char* library);

// Deletes the file the relative name resolves to; a missing file is no failure.
void RemoveLocalFile(const char* relative);

}  // namespace zorv
