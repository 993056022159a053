// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// Functions found at run time: in a library loaded on demand, or a call that only newer systems
// have.
#pragma once

#include <windows.h>

namespace zorv {

// A library's function, null when the library or the function cannot be had; it converts to the
// pointer type it is stored in.
struct LibraryFunction {
    FARPROC address;
    template <typename Function>
    operator Function() const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    }
};

inline LibraryFunction FindFunction(HMODULE library, const char* name) {
    return LibraryFunction{library ? GetProcAddress(library, name) : nullptr};
}

// A library of the system loaded from the system's folder by its full path: a bare name is
// looked for in the program's folder first, where a library of that name must never be taken
// for the system's. That holds for the library named only: what it loads in turn it finds by its
// own rules (the multimedia library's joystick driver loads DirectInput by name, so the program's
// folder may be searched for it). Null when it cannot be had.
inline HMODULE LoadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(name) >= MAX_PATH) return nullptr;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    return LoadLibraryA(path);
}

}  // namespace zorv
