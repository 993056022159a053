// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The naming and byte rules of the settings saver, apart from the file system calls.
#pragma once

#include <string>

namespace zorv {

// The one temporary file a save of `path` writes before it replaces the file: the same folder
// and name with the last character turned into '~' ('$' for a name that already ends in '~').
// Predictable, so that a save cut short leaves at most one stray, which the next save of the
// same file overwrites and then moves into place; and no longer than `path`, so it fits
// wherever the settings file itself fits.
std::string SaveTempPath(const std::string& path);

// The bytes a text-mode write produces: every "\n" becomes "\r\n".
std::string TextModeBytes(const std::string& text);

}  // namespace zorv
