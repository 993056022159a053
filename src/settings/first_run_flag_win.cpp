#include "settings/first_run_flag_win.h"

#include <cstdio>
#include <string>

#include "settings/config_file_win.h"
#include "settings/first_run_flag.h"

namespace zorv {

bool ReadFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int& flag) {
    return ReadConfig(owner, instance, fileName,
                      [&flag](const std::string& text) { ParseFirstRunFlag(text.c_str(), &flag); });
}

bool WriteFirstRunFlagFile(HWND owner, HINSTANCE instance, const char* fileName, int flag) {
    char line[16];
    std::snprintf(line, sizeof line, "%d\n", flag);
    return SaveConfigText(owner, instance, fileName, line);
}

}  // namespace zorv
