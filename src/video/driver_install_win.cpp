#include "video/driver_install_win.h"

#include <cstdio>
#include <cstring>

#include "settings/full_path_win.h"

namespace zorv {
namespace {

// `folder` followed by `library` (which starts with its backslash), in `out`; false when it
// does not fit.
bool JoinLibrary(const char* folder, const char* library, char (&out)[MAX_PATH]) {
    size_t length = std::strlen(folder);
    if (length > 0 && folder[length - 1] == '\\') --length;
    const int written = std::snprintf(out, MAX_PATH, "%.*s%s", static_cast<int>(length), folder, library);
    return written > 0 && written < MAX_PATH;
}

}  // namespace

bool DriverFolder(const DriverList& list, int driverIndex, char (&out)[MAX_PATH]) {
    out[0] = '\0';
    if (driverIndex < 0 || driverIndex >= list.driverCount) return false;
    // A directory name holds at most 99 characters, so the folder always fits.
    std::snprintf(out, MAX_PATH, "%s%s", kDriverFolder, list.directories[driverIndex]);
    return true;
}

void InstallDriver(const DriverList& list, int driverIndex) {
    char folder[MAX_PATH];
    if (IsLocalDriver(driverIndex) && DriverFolder(list, driverIndex, folder)) {
        CopyDriverFile(folder, kGluLibrary);
        CopyDriverFile(folder, kOpenGlLibrary);
        return;
    }
    RemoveLocalFile(kLocalOpenGlLibrary);
    RemoveLocalFile(kLocalGluLibrary);
}

int CopyDriverFile(const char* driverPath, const char* library) {
    // The copy always lands in the game folder (the current directory), whatever the driver
    // folder's name: one with backslashes or ".." in it must not place it elsewhere.
    char folder[MAX_PATH], game[MAX_PATH], source[MAX_PATH], destination[MAX_PATH];
    if (!FullPath(driverPath, folder) || !FullPath(".", game)) return 1;
    if (!JoinLibrary(folder, library, source) || !JoinLibrary(game, library, destination)) return 1;
    if (GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES) {
        DeleteFileA(destination);
        return 1;
    }
    // A library copied from a read-only medium would otherwise stay read-only, and choosing
    // the system's driver later could not remove it.
    if (CopyFileA(source, destination, FALSE)) SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL);
    return 1;
}

void RemoveLocalFile(const char* relative) {
    char path[MAX_PATH];
    if (FullPath(relative, path)) DeleteFileA(path);
}

}  // namespace zorv
