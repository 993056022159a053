#include "startup/single_instance_win.h"

#include <algorithm>

#include "platform/library_function_win.h"
#include "platform/message_box_win.h"
#include "startup/windows_win.h"

namespace zorv {
namespace {

// How long a later start asks the running front-end for a window to show (it may be in its first
// moments), how often, and how long it waits for one answer.
constexpr DWORD kHandOverMs = 5000;
constexpr DWORD kAskPauseMs = 20;
constexpr DWORD kAnswerMs = 1000;

constexpr char kAlreadyRunning[] = "Zorv3D is already running from this folder.";

// The current folder's full path as the system spells it however it was reached: in long names
// where the system can say them (GetLongPathName, which Windows 95 and NT 4.0 lack), else in
// short names, which every system can give. As it stands when neither can be had. Its letters
// are folded to capitals, since file names do not differ by case.
bool CanonicalFolder(char (&folder)[MAX_PATH], DWORD* length) {
    char current[MAX_PATH];
    const DWORD given = GetCurrentDirectoryA(MAX_PATH, current);
    if (given == 0 || given >= MAX_PATH) return false;
    using PathFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    static const PathFunction longPath = FindFunction(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA");
    *length = longPath ? longPath(current, folder, MAX_PATH) : GetShortPathNameA(current, folder, MAX_PATH);
    if (*length == 0 || *length >= MAX_PATH) {
        lstrcpynA(folder, current, MAX_PATH);
        *length = given;
    }
    CharUpperBuffA(folder, *length);
    return true;
}

// The same in the folder's own letters, on the NT family, whose narrow names spell letters
// outside the ANSI code page as `?`: two folders that differ only in such letters are two
// folders. False where the system has no wide names (the 95 family, all of whose names are
// narrow); the functions are found at run time, as that family has only failing stubs of them.
bool WideCanonicalFolder(wchar_t (&folder)[MAX_PATH], DWORD* length) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using CurrentFunction = DWORD(WINAPI*)(DWORD, LPWSTR);
    using PathFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
    using UpperFunction = DWORD(WINAPI*)(LPWSTR, DWORD);
    const CurrentFunction currentFolder = FindFunction(kernel, "GetCurrentDirectoryW");
    const PathFunction longPath = FindFunction(kernel, "GetLongPathNameW");
    const PathFunction shortPath = FindFunction(kernel, "GetShortPathNameW");
    const UpperFunction upper = FindFunction(GetModuleHandleA("user32.dll"), "CharUpperBuffW");
    wchar_t current[MAX_PATH];
    const DWORD given = currentFolder && upper ? currentFolder(MAX_PATH, current) : 0;
    if (given == 0 || given >= MAX_PATH) return false;
    const PathFunction canonical = longPath ? longPath : shortPath;
    *length = canonical ? canonical(current, folder, MAX_PATH) : 0;
    if (*length == 0 || *length >= MAX_PATH) {
        std::copy(current, current + given + 1, folder);
        *length = given;
    }
    return upper(folder, *length) == *length;
}

// "Zorv3D front-end " and 16 hexadecimal digits of a hash (64-bit FNV-1a) of the folder's path
// with its letters folded to capitals, wide where the system has wide names. A hash keeps the
// name far below the length limit of object names, and free of backslashes, which the object
// namespace of the NT family reads as separators.
bool ClaimName(char (&name)[48]) {
    wchar_t wide[MAX_PATH];
    char narrow[MAX_PATH];
    DWORD length = 0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(wide);
    if (WideCanonicalFolder(wide, &length)) {
        length *= sizeof(wchar_t);
    } else if (CanonicalFolder(narrow, &length)) {
        bytes = reinterpret_cast<const unsigned char*>(narrow);
    } else {
        return false;
    }
    unsigned long long hash = 14695981039346656037ull;
    for (DWORD i = 0; i < length; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    wsprintfA(name, "Zorv3D front-end %08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return true;
}

// The mapping that names the holder: the claim's name with " holder", since a mutex and a
// mapping may not share one.
void HolderName(const char* claim, char (&name)[64]) { wsprintfA(name, "%s holder", claim); }

// The process id the folder's holder has published; 0 while it has not yet.
DWORD HolderOf(const char* claim) {
    char name[64];
    HolderName(claim, name);
    KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    if (!mapping) return 0;
    const MappedView id(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(DWORD)));
    return id ? *static_cast<const DWORD*>(id.get()) : 0;
}

// The first top-level window of a process in the order of the screen: of the class when one is
// named, shown or not; else the first that shows.
struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK TakeWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process) return TRUE;
    char name[16] = {};
    if (search->className ? !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, search->className) != 0
                          : !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND WindowOf(DWORD process, const char* className) {
    WindowSearch search = {process, className, nullptr};
    EnumWindows(TakeWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A dialog (message boxes are dialogs too) that shows and takes input: one of the thread's
// windows that wait for the player. The thread's windows come topmost first.
BOOL CALLBACK TakeDialog(HWND window, LPARAM lParam) {
    char name[8] = {};
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !GetClassNameA(window, name, sizeof name) ||
        lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
}

HWND Restored(HWND window) {
    if (window && IsIconic(window)) PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    return window;
}

// The holder frame's answer to `question`; false when it gives none in time.
bool Ask(HWND frame, WPARAM question, DWORD_PTR* answer) {
    return SendMessageTimeoutA(frame, SecondStartMessage(), question, 0, SMTO_ABORTIFHUNG, kAnswerMs, answer) != 0;
}

// Asks the holder's frame for the window the player is to get back and puts it in front: this
// process, started by the player, may take the foreground, which a program in the background
// may not. Only a window of the holder's process or of its game's is put there: the answer is a
// handle, which may have gone by now and been given to another program's window. False while the
// holder has no frame or nothing of its own to show yet; `answered` tells that it has answered.
bool HandOver(DWORD holder, bool* answered) {
    HWND frame = holder && SecondStartMessage() ? WindowOf(holder, kFrameClass) : nullptr;
    DWORD_PTR front = 0, game = 0;
    if (!frame || !Ask(frame, kAskForWindow, &front)) return false;
    *answered = true;
    HWND window = reinterpret_cast<HWND>(front);
    DWORD owner = 0;
    if (!window || !GetWindowThreadProcessId(window, &owner)) return false;
    if (owner != holder && !(Ask(frame, kAskForGame, &game) && game == owner)) return false;
    SetForegroundWindow(window);
    return true;
}

}  // namespace

UINT SecondStartMessage() {
    static const UINT message = RegisterWindowMessageA("Zorv3D second start");
    return message;
}

LRESULT AnswerSecondStart(HWND frame, WPARAM question, DWORD game) {
    if (question == kAskForGame) return game;
    HWND window = nullptr;
    if (game) {
        window = Restored(WindowOf(game, nullptr));
    } else {
        EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&window));
        if (!window && IsWindowVisible(frame)) window = Restored(frame);
    }
    return reinterpret_cast<LRESULT>(window);
}

FolderClaim::~FolderClaim() {
    if (held_) ReleaseMutex(mutex_.get());
}

void FolderClaim::Publish(const char* claim) {
    char name[64];
    HolderName(claim, name);
    holder_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD), name));
    if (!holder_) return;
    const MappedView id(MapViewOfFile(holder_.get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
    if (id) *static_cast<DWORD*>(id.get()) = GetCurrentProcessId();
}

bool FolderClaim::Claim() {
    char name[48];
    if (!ClaimName(name)) return true;
    mutex_.reset(CreateMutexA(nullptr, FALSE, name));
    if (!mutex_) return true;
    bool answered = false;
    const DWORD start = GetTickCount();
    for (;;) {
        // One wait takes the folder: free, or left behind by a holder that ended without letting
        // go (a crash). A wait that fails leaves this start to run on its own, as no claim does.
        const DWORD got = WaitForSingleObject(mutex_.get(), 0);
        if (got != WAIT_TIMEOUT) {
            held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
            if (held_) Publish(name);
            return true;
        }
        if (HandOver(HolderOf(name), &answered)) return false;
        if (GetTickCount() - start >= kHandOverMs) break;
        Sleep(kAskPauseMs);
    }
    // A holder that answers with nothing to show (its game has no window) is left as it is. One
    // that never answered (stuck before its frame, or not answering) is named, so that the player
    // knows why no window comes.
    if (!answered) ShowMessage(kAlreadyRunning);
    return false;
}

}  // namespace zorv
