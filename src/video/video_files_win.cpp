#include "video/video_files_win.h"

#include <string>

#include "common/config_file_win.h"
#include "resources/resource_ids.h"
#include "video/video_files.h"

namespace zorv {

bool ReadDriverList(HWND owner, HINSTANCE instance, const char* relative) {
    return ReadConfig(owner, instance, relative, [](const std::string& text) { ParseDriverList(text, &Drivers()); });
}

bool ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return ReadConfig(owner, instance, relative, [](const std::string& text) { ParseVideoSettings(text, &Video()); });
}

bool WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return SaveConfigText(owner, instance, relative, FormatVideoSettings(Video()));
}

void FillDriverList(HWND dialog) {
    const DriverList& list = Drivers();
    for (int i = 0; i < list.driverCount; ++i)
        SendDlgItemMessageA(dialog, IDC_VIDEO_DRIVERS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.names[i]));
}

void FillModeList(HWND dialog, int driverIndex) {
    SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : FillModeLabels(&Drivers(), driverIndex))
        SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

}  // namespace zorv
