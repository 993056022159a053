#include "video/video_files_win.h"

#include <string>

#include "common/config_file_win.h"
#include "resources/resource_ids.h"
#include "video/video_files.h"

namespace zorv {

int ReadDriverList(HWND owner, HINSTANCE instance, const char* relative) {
    std::string text;
    if (!ReadConfigText(owner, instance, relative, &text)) return 0;
    ParseDriverList(text, &Drivers());
    return 1;
}

int ReadVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    std::string text;
    if (!ReadConfigText(owner, instance, relative, &text)) return 0;
    ParseVideoSettings(text, &Video());
    return 1;
}

int WriteVideoSettings(HWND owner, HINSTANCE instance, const char* relative) {
    return SaveConfigText(owner, instance, relative, FormatVideoSettings(Video())) ? 1 : 0;
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
