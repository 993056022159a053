// Starting test_child.exe, which is built beside win_tests.exe.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handle_guards_win.h"

namespace zorv_test {

// Starts test_child.exe with the arguments; the process handle, or null.
inline HANDLE StartTestChild(const std::string& arguments) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    program = program.substr(0, program.find_last_of('\\') + 1) + "test_child.exe";
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    zorv::KernelHandle thread(process.hThread);  // only the process is handed out
    return process.hProcess;
}

}  // namespace zorv_test
