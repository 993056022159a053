// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// Relative names of the game folder turned into full paths, as every file routine needs.
#pragma once

#include <windows.h>

#include <string>

namespace zorv {

// Resolves `relative` against the current directory into `out` (MAX_PATH characters). When the
// full path does not fit, returns false and leaves in `out` the relative name itself where that
// fits, and nothing where it does not: never a cut path, which could name another file. A caller
// that opens, writes or deletes a file does nothing with it after false.
// A folder may be named in letters that the ANSI code page lacks (a Cyrillic folder on a Western
// system of the NT family): the system's narrow spelling of its full path then has `?` or a
// look-alike in their place and names no file, or another one. There `out` holds the relative
// name, which the system resolves against the current directory in full and so names the file.
bool FullPath(const char* relative, char (&out)[MAX_PATH]);

// The whole full path of `relative`, however long, for telling the player which file could not
// be opened; the relative name itself when no full path can be formed.
std::string FullPathText(const char* relative);

// The same in the folder's own letters, for the wide text functions of the NT family; empty
// where the system forms no wide path (the 95 family, whose names are all narrow).
std::wstring WideFullPathText(const char* relative);

}  // namespace zorv
