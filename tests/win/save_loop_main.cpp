// Saves one settings file over and over through the program's saver, alternating its new and
// old text, until it is killed: the subject of the save stress test.
//   save_loop.exe <kind index> <event name>
// Sets the named event once, just before its first save.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/config_file_win.h"
#include "common/config_error_win.h"
#include "save_kinds.h"

namespace {

// A save that fails must not open a dialog nobody closes: the loop ends with exit code 3.
void EndOnError(const char*) { ExitProcess(3); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    int kind = std::atoi(argv[1]);
    if (kind < 0 || kind >= zorv_test::kSaveKindCount) return 2;
    const zorv_test::SaveKind& file = zorv_test::kSaveKinds[kind];
    zorv::SetConfigErrorSinkForTesting(EndOnError);
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!started) return 2;
    SetEvent(started);
    const std::string texts[2] = {file.newText, file.oldText};
    for (unsigned i = 0;; ++i) zorv::SaveConfigText(nullptr, nullptr, file.relative, texts[i & 1]);
}
