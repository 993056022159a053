// The child process the Wine-run tests start beside win_tests.exe.
//   test_child.exe save <kind index> <event name>
//       Saves one settings file over and over through the program's saver, alternating its new
//       and old text, until it is killed; sets the named event just before its first save.
//   test_child.exe end <milliseconds> <exit code>
//       Sleeps, then ends with the exit code (decimal).
//   test_child.exe claim
//       Starts from the current folder as the front-end does, with a window "zorv later start" of
//       its own; ends with 0 when it handed over and its window is not in front, 1 when it is, 3
//       when it took the folder.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "save_kinds.h"
#include "settings/config_error_win.h"
#include "settings/config_file_win.h"
#include "startup/single_instance_win.h"

namespace {

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
    if (argc == 2 && std::strcmp(argv[1], "claim") == 0) {
        HWND own = CreateWindowA("STATIC", "zorv later start", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr,
                                 nullptr, nullptr);
        zorv::FolderClaim claim;
        return claim.Claim() ? 3 : GetForegroundWindow() == own;
    }
    if (argc == 4 && std::strcmp(argv[1], "end") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return std::atoi(argv[3]);
    }
    return 2;
}
