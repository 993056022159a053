#include "common/full_path_win.h"

namespace zorv {

bool FullPath(const char* relative, char (&out)[MAX_PATH]) {
    DWORD n = GetFullPathNameA(relative, MAX_PATH, out, nullptr);
    if (n == 0 || n >= MAX_PATH) {
        lstrcpynA(out, relative, MAX_PATH);
        return false;
    }
    return true;
}

}  // namespace zorv
