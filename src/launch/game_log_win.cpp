#include "launch/game_log_win.h"

#include <string>

#include "launch/game_log.h"
#include "resources/resource_ids.h"
#include "settings/config_file_win.h"
#include "settings/full_path_win.h"
#include "settings/game_files.h"

namespace zorv {
namespace {

// The log is a few lines; a larger one is judged on its first megabytes.
constexpr size_t kMaxGameLogText = 16u << 20;

// A game folder so deep that the log's full path does not fit has no log the front-end can
// read, and none it may delete: a cut path could name another file.
bool LogExists(const char* relativeName) {
    char path[MAX_PATH];
    return FullPath(relativeName, path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A failure to delete is not reported.
void DeleteGameLog() {
    char path[MAX_PATH];
    if (FullPath(kGameLog, path)) DeleteFileA(path);
}

// lParam: the report's text, already cut to the report's room.
INT_PTR CALLBACK GameReportProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetFocus(dialog);
        SetDlgItemTextA(dialog, IDC_GAME_ERROR_TEXT, reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_GAME_ERROR_OK) return 0;
        EndDialog(dialog, 1);
        return 1;
    case WM_DESTROY: DeleteGameLog(); return 0;
    default: return 0;
    }
}

// True when a report is to be shown (`report` then holds what it says); false when the log is
// missing or reports a clean run, which deletes it. Lines are judged in pieces of at most 255
// characters.
bool ReadGameLog(const char* relativeName, std::string* report) {
    char path[MAX_PATH];
    std::string text;
    if (!FullPath(relativeName, path) || !ReadTextFile(path, kMaxGameLogText, &text)) return false;
    LogOutcome outcome = JudgeLog(text);
    if (outcome.deleteNow) DeleteGameLog();
    if (!outcome.report) return false;
    *report = outcome.text;
    return true;
}

}  // namespace

void RunErrorLogStep(DWORD exitCode) {
    std::string report;
    if (!LogExists(kGameLogAsRead) && IsCrashExitCode(exitCode)) {
        report = CrashReportText(exitCode);
    } else if (!ReadGameLog(kGameLogAsRead, &report)) {
        return;
    }
    HWND owner = GetActiveWindow();
    HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)) : nullptr;
    ShowGameErrorReport(owner, instance, report.c_str());
}

void ShowGameErrorReport(HWND owner, HINSTANCE instance, const char* text) {
    if (!instance) instance = GetModuleHandleA(nullptr);
    char shown[kReportTextSize] = {};
    lstrcpynA(shown, text ? text : "", sizeof shown);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_GAME_ERROR), owner, GameReportProc, reinterpret_cast<LPARAM>(shown));
}

}  // namespace zorv
