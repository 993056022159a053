#include "startup/single_instance_win.h"

#include "startup/windows_win.h"

namespace zorv {
namespace {

// How long a second start looks for the running front-end's frame, which may still be in its
// first moments, and how often.
constexpr DWORD kFrameSearchMs = 5000;
constexpr DWORD kSearchPauseMs = 20;

// "Zorv3D front-end " and 16 hexadecimal digits of a hash (64-bit FNV-1a) of the current
// folder's full path with its letters folded to capitals, since file names do not differ by
// case. A hash keeps the name far below the length limit of object names, and free of
// backslashes, which the object namespace of the NT family reads as separators.
bool ClaimName(char (&name)[48]) {
    char folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return false;
    CharUpperBuffA(folder, length);
    unsigned long long hash = 14695981039346656037ull;
    for (DWORD i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(folder[i]);
        hash *= 1099511628211ull;
    }
    wsprintfA(name, "Zorv3D front-end %08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return true;
}

struct FrameSearch {
    DWORD process;
    HWND frame;
};

BOOL CALLBACK TakeFrame(HWND window, LPARAM lParam) {
    FrameSearch* search = reinterpret_cast<FrameSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    if (process != search->process || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, kFrameClass) != 0)
        return TRUE;
    search->frame = window;
    return FALSE;
}

HWND VisibleFrameOf(DWORD process) {
    FrameSearch search = {process, nullptr};
    EnumWindows(TakeFrame, reinterpret_cast<LPARAM>(&search));
    return search.frame && IsWindowVisible(search.frame) ? search.frame : nullptr;
}

// Restores the frame if it is minimised and puts the front-end's window in front: the dialog or
// message box it shows, else the frame with the menu window on it. Nothing here waits for the
// running front-end, which may be busy with its movie or waiting for the game.
void BringForward(HWND frame) {
    if (IsIconic(frame)) PostMessageA(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
    HWND front = GetLastActivePopup(frame);
    SetForegroundWindow(front && IsWindowVisible(front) ? front : frame);
}

}  // namespace

bool FolderClaim::Claim() {
    char name[48];
    if (!ClaimName(name)) return true;
    SetLastError(ERROR_SUCCESS);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD), name);
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    mapping_.reset(mapping);
    if (!mapping_) return true;
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
    DWORD* const owner = static_cast<DWORD*>(view_.get());
    if (!owner) {
        mapping_.reset();
        return true;
    }
    if (!existed) {
        *owner = GetCurrentProcessId();
        return true;
    }

    // Another start holds the folder. It writes its id right after making the mapping.
    DWORD running = 0;
    for (int tries = 0; (running = *owner) == 0 && tries < 50; ++tries) Sleep(kSearchPauseMs);
    KernelHandle process(running ? OpenProcess(SYNCHRONIZE, FALSE, running) : nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        // A front-end that has ended (quit a moment ago, or crashed) holds nothing any more.
        if (!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
            *owner = GetCurrentProcessId();
            return true;
        }
        if (HWND frame = VisibleFrameOf(running)) {
            BringForward(frame);
            return false;
        }
        if (GetTickCount() - start >= kFrameSearchMs) return false;
        Sleep(kSearchPauseMs);
    }
}

}  // namespace zorv
