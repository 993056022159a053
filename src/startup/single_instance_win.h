// One front-end per game folder. A second start from the folder that a running front-end was
// started from (a double click that came twice) hands over to the running one and ends; starts
// from other folders are independent.
#pragma once

#include <windows.h>

#include "common/handle_guards_win.h"

namespace zorv {

// The claim of this process on the current folder: a named file mapping whose name is made from
// the folder's full path, holding the process id of the front-end that made it. The system
// deletes it with the last process that holds it, so a front-end that crashed leaves nothing
// behind that could stop the next start.
class FolderClaim {
public:
    FolderClaim() = default;
    FolderClaim(const FolderClaim&) = delete;
    FolderClaim& operator=(const FolderClaim&) = delete;

    // True when this process may go on as the folder's front-end: no other holds the folder, or
    // the one that held it has ended, or the claim cannot be made at all. False when another
    // front-end runs from this folder; its window has then been brought to the front (restored
    // if it was minimised), and this process must end without touching a file or a window.
    bool Claim();

private:
    KernelHandle mapping_;
    MappedView view_;  // the process id, unmapped before the mapping closes
};

}  // namespace zorv
