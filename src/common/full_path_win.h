// Relative names of the game folder turned into full paths, as every file routine needs.
#pragma once

#include <windows.h>

namespace zorv {

// Resolves `relative` against the current directory into `out` (MAX_PATH characters).
// A path that does not fit is cut to the buffer, never overrun; returns false then.
bool FullPath(const char* relative, char (&out)[MAX_PATH]);

}  // namespace zorv
