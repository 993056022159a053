#include "launch/game_log_win.h"

#include <string>

#include "common/config_file_win.h"
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

// The log is a few lines; a larger one is judged on its first megabytes.
constexpr size_t kMaxGameLogText = 16u << 20;

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

void RunErrorLogStep(DWORD exitCode) {
    ZeroMemory(g_report.text, sizeof g_report.text);
    char path[MAX_PATH];
    FullPath(kLogReadName, path);
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && IsCrashExitCode(exitCode)) {
        lstrcpynA(g_report.text, CrashReportText(exitCode).c_str(), sizeof g_report.text);
    } else if (ReadGameLog(kLogReadName) != 1) {
        return;
    }
    HWND owner = GetActiveWindow();
    HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)) : nullptr;
    ShowGameErrorReport(owner, instance);
}

int ReadGameLog(const char* relativeName) {
    char path[MAX_PATH];
    FullPath(relativeName, path);
    std::string text;
    if (!ReadTextFile(path, kMaxGameLogText, &text)) return 0;
    LogOutcome outcome = JudgeLog(text);
    if (outcome.deleteNow) DeleteGameLog(kLogDeleteName);
    if (!outcome.report) return 0;
    lstrcpynA(g_report.text, outcome.text.c_str(), sizeof g_report.text);
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
