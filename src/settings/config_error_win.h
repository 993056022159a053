// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The configuration-file error dialog: a settings file could not be opened. Its OK ends the
// program with exit code 1; there is no way back to the screen that asked.
#pragma once

#include <windows.h>

namespace zorv {

// Shows the full path and the caption file's explanation. `wideFullPath`, where given and not
// empty, is the same path in the folder's own letters, shown in its place where the system has
// the wide text functions (the NT family): the narrow one spells letters outside the ANSI code
// page as `?`. Returns only when the dialog could not be shown at all.
void ShowConfigFileError(HWND owner, HINSTANCE instance, const char* fullPath, const wchar_t* wideFullPath = nullptr);

// The explanation under the path: a text that lives for the whole run (the caption file's
// "wm:" text, which is read after start-up has begun and may still be empty then).
void SetConfigErrorExplanation(const char* text);

// Tests of the file routines observe the paths here instead of a dialog that ends the process.
using ConfigErrorSink = void (*)(const char* fullPath);
void SetConfigErrorSinkForTesting(ConfigErrorSink sink);

}  // namespace zorv
