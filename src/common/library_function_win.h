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

}  // namespace zorv
