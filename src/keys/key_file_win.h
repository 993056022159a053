// Reading and writing ".\info\keyvalue.cfg" through the shared settings files: a file that
// cannot be opened brings up the configuration-file error dialog, owned by `owner`.
#pragma once

#include <windows.h>

#include "keys/key_bindings.h"

namespace zorv {

// True when the file was read into `keys`; false after the error dialog, with the record as it
// was.
bool ReadKeyBindings(HWND owner, HINSTANCE instance, const char* fileName, KeyBindings& keys);

// True when the record's text replaced the file, which the record then matches; false after the
// error dialog, with the file and the record as they were.
bool WriteKeyBindings(HWND owner, HINSTANCE instance, const char* fileName, KeyBindings& keys);

}  // namespace zorv
