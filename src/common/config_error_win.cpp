#include "common/config_error_win.h"

#include <cstdlib>

#include "resources/resource_ids.h"

namespace zorv {
namespace {

struct ConfigErrorDialog {
    // Holds the whole path that the callers form, so a deep installation folder shows whole.
    char text[MAX_PATH] = {};
    const char* explanation = "";  // the caption file's text, filled in once it is read
    ConfigErrorSink sink = nullptr;
};
ConfigErrorDialog g_dialog;

INT_PTR CALLBACK ConfigErrorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_CONFIG_ERROR_TEXT, g_dialog.text);
        SetDlgItemTextA(dialog, IDC_CONFIG_ERROR_EXPLANATION, g_dialog.explanation);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CONFIG_ERROR_OK) {
            EndDialog(dialog, 0);
            // Nothing further is saved: the normal exit flushes and closes open files only.
            std::exit(1);
        }
        return 0;
    default:
        return 0;
    }
}

}  // namespace

void ShowConfigFileError(HWND owner, HINSTANCE instance, const char* fullPath) {
    lstrcpynA(g_dialog.text, fullPath ? fullPath : "", sizeof g_dialog.text);
    if (g_dialog.sink) {
        g_dialog.sink(g_dialog.text);
        return;
    }
    if (!instance) instance = GetModuleHandleA(nullptr);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG_ERROR), owner, ConfigErrorProc, 0);
}

void SetConfigErrorExplanation(const char* text) { g_dialog.explanation = text ? text : ""; }

void SetConfigErrorSinkForTesting(ConfigErrorSink sink) { g_dialog.sink = sink; }

}  // namespace zorv
