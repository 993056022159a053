#include "launch/game_log_win.h"

#include <cstdio>

#include "common/full_path_win.h"
#include "launch/game_log.h"
#include "resources/resource_ids.h"

namespace zorv {
namespace {

// Read under the first name, deleted under the second: the same file on a case-blind system.
const char kLogReadName[] = ".\\Info\\Proc.log";
const char kLogDeleteName[] = ".\\Info\\proc.log";

struct GameReport {
    char text[kReportTextSize] = {};
};
GameReport g_report;

// A line of at most 255 characters and its terminating zero.
constexpr int kLogLineBuffer = 256;

INT_PTR CALLBACK GameReportProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetFocus(dialog);
        SetDlgItemTextA(dialog, IDC_GAME_ERROR_TEXT, g_report.text);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_GAME_ERROR_OK) return 0;
        EndDialog(dialog, 1);
        return 1;
    case WM_DESTROY:
        DeleteGameLog(kLogDeleteName);
        return 0;
    default:
        return 0;
    }
}

}  // namespace

void RunErrorLogStep() {
    ZeroMemory(g_report.text, sizeof g_report.text);
    if (ReadGameLog(kLogReadName) != 1) return;
    HWND owner = GetActiveWindow();
    HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)) : nullptr;
    ShowGameErrorReport(owner, instance);
}

int ReadGameLog(const char* relativeName) {
    char path[MAX_PATH];
    FullPath(relativeName, path);
    FILE* log = std::fopen(path, "r");
    if (!log) return 0;
    char line[kLogLineBuffer];
    while (std::fgets(line, sizeof line, log)) {
        switch (JudgeLogLine(line)) {
        case LogLineVerdict::kCleanRun:
            std::fclose(log);
            DeleteGameLog(kLogDeleteName);
            return 0;
        case LogLineVerdict::kCardFailure:
            lstrcpynA(g_report.text, kThreeDCardMessage, sizeof g_report.text);
            std::fclose(log);
            return 1;
        case LogLineVerdict::kPassOver:
            break;
        }
    }
    std::fclose(log);
    return 1;
}

const char* GameReportText() { return g_report.text; }

void ShowGameErrorReport(HWND owner, HINSTANCE instance) {
    if (!instance) instance = GetModuleHandleA(nullptr);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_GAME_ERROR), owner, GameReportProc, 0);
}

void DeleteGameLog(const char* relativeName) {
    char path[MAX_PATH];
    FullPath(relativeName, path);
    DeleteFileA(path);
}

}  // namespace zorv
