#include "common/first_run_flag_win.h"

#include <cstdio>
#include <string>

#include "common/config_file_win.h"
#include "common/first_run_flag.h"

namespace zorv {

bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName) {
    return ReadConfig(owner, instance, fileName, [](const std::string& text) {
        int flag = FirstRunFlag();
        ParseFirstRunFlag(text.c_str(), &flag);
        SetFirstRunFlag(flag);
    });
}

bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName) {
    char line[16];
    std::snprintf(line, sizeof line, "%d\n", FirstRunFlag());
    return SaveConfigText(owner, instance, fileName, line);
}

}  // namespace zorv
