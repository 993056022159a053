// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// Opening the game's settings files: full paths, whole-text reads, and saves that never leave
// a half-written file. Every failure to open brings up the configuration-file error dialog; so
// does a full path longer than MAX_PATH, which is never cut to fit, and the dialog names it whole.
#pragma once

#include <windows.h>

#include <string>

namespace zorv {

// Reads at most `limit` bytes of a file in text mode; false when it cannot be opened.
bool ReadTextFile(const char* fullPath, size_t limit, std::string* text);

// Reads the whole file (text mode, at most 1 MiB). On failure shows the configuration-file
// error dialog with the full path, owned by `owner`, and returns false.
bool ReadConfigText(HWND owner, HINSTANCE instance, const char* relative, std::string* text);

// The same, with the text handed to `apply` (called as apply(text)) when the file was read.
template <typename Apply>
bool ReadConfig(HWND owner, HINSTANCE instance, const char* relative, Apply apply) {
    std::string text;
    if (!ReadConfigText(owner, instance, relative, &text)) return false;
    apply(text);
    return true;
}

// Writes `text` (line ends become CR LF, as text mode writes them) to the file's one temporary
// file in the same folder and replaces the file with it in one step. Where the replacement is
// refused but the existing file can be written, rewrites it in place. A file that cannot be
// written at all (read-only, missing folder, no rights) shows the configuration-file error
// dialog and returns false; the old file is then left as it was.
bool SaveConfigText(HWND owner, HINSTANCE instance, const char* relative, const std::string& text);

}  // namespace zorv
