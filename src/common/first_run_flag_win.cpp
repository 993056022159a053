#include "common/first_run_flag_win.h"

#include <cstdio>
#include <string>

#include "common/config_file_win.h"
#include "common/first_run_flag.h"

namespace zorv {

bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName) {
    std::string text;
    if (!ReadConfigText(owner, instance, fileName, &text)) return false;
    int flag = FirstRunFlag();
    ParseFirstRunFlag(text.c_str(), &flag);
    SetFirstRunFlag(flag);
    return true;
}

bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName) {
    char line[16];
    std::snprintf(line, sizeof line, "%d\n", FirstRunFlag());
    return SaveConfigText(owner, instance, fileName, line);
}

}  // namespace zorv
