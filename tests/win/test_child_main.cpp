// The child process the Wine-run tests start beside win_tests.exe.
//   test_child.exe save <kind index> <event name>
//       Saves one settings file over and over through the program's saver, alternating its new
//       and old text, until it is killed; sets the named event just before its first save.
//   test_child.exe end <milliseconds> <exit code>
//       Sleeps, then ends with the exit code (decimal).
//   test_child.exe hold <window> <event name>
//       Holds the current folder as the front-end does, with a frame that names the window (a
//       hexadecimal handle) to the first later start that asks for one, then its own frame, and no
//       game; sets the named event once the frame is there, and runs until it is killed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "common/config_error_win.h"
#include "common/config_file_win.h"
#include "save_kinds.h"
#include "startup/single_instance_win.h"
#include "startup/windows_win.h"

namespace {

HWND g_named;

LRESULT CALLBACK HolderFrameProc(HWND frame, UINT message, WPARAM question, LPARAM lParam) {
    if (message != zorv::SecondStartMessage()) return DefWindowProcA(frame, message, question, lParam);
    return question == zorv::kAskForWindow ? reinterpret_cast<LRESULT>(std::exchange(g_named, frame)) : 0;
}

int Hold(const char* window, const char* eventName) {
    zorv::FolderClaim claim;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!ready || !claim.Claim()) return 2;
    g_named = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(window, nullptr, 16)));
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = HolderFrameProc;
    frameClass.lpszClassName = zorv::kFrameClass;
    RegisterClassA(&frameClass);
    CreateWindowA(zorv::kFrameClass, "", WS_POPUP | WS_VISIBLE, 40, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetEvent(ready);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
    return 0;
}

// A save that fails must not open a dialog nobody closes: the loop ends with exit code 3.
void EndOnError(const char*) { ExitProcess(3); }

int SaveForever(const char* kindText, const char* eventName) {
    int kind = std::atoi(kindText);
    if (kind < 0 || kind >= zorv_test::kSaveKindCount) return 2;
    const zorv_test::SaveKind& file = zorv_test::kSaveKinds[kind];
    zorv::SetConfigErrorSinkForTesting(EndOnError);
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!started) return 2;
    SetEvent(started);
    const std::string texts[2] = {file.newText, file.oldText};
    for (unsigned i = 0;; ++i) zorv::SaveConfigText(nullptr, nullptr, file.relative, texts[i & 1]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "save") == 0) return SaveForever(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "end") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return std::atoi(argv[3]);
    }
    return 2;
}
