#include "settings/config_error_win.h"

#include <cstdlib>

#include "platform/library_function_win.h"
#include "platform/thread_dpi_win.h"
#include "resources/resource_ids.h"

namespace zorv {
namespace {

// Process-wide: the explanation is the caption file's, named once at start-up by the layer above
// the file routines that raise the dialog; only the tests put a sink in its place.
struct ConfigErrorDialog {
    const char* explanation = "";  // the caption file's text, filled in once it is read
    ConfigErrorSink sink = nullptr;
};
ConfigErrorDialog g_dialog;

// The whole path the caller names, however deep the installation folder.
struct ErrorPath {
    const char* narrow;
    const wchar_t* wide;
};

// The wide text where the system shows it, else the narrow one (a 95-family stub fails).
void ShowPath(HWND dialog, const ErrorPath& path) {
    using SetTextW = BOOL(WINAPI*)(HWND, int, LPCWSTR);
    const SetTextW setTextW = FindFunction(GetModuleHandleA("user32.dll"), "SetDlgItemTextW");
    if (!path.wide || !path.wide[0] || !setTextW || !setTextW(dialog, IDC_CONFIG_ERROR_TEXT, path.wide))
        SetDlgItemTextA(dialog, IDC_CONFIG_ERROR_TEXT, path.narrow);
}

INT_PTR CALLBACK ConfigErrorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ShowPath(dialog, *reinterpret_cast<const ErrorPath*>(lParam));
        SetDlgItemTextA(dialog, IDC_CONFIG_ERROR_EXPLANATION, g_dialog.explanation);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CONFIG_ERROR_OK) {
            EndDialog(dialog, 0);
            // Nothing further is saved: the normal exit flushes and closes open files only.
            std::exit(1);
        }
        return 0;
    default: return 0;
    }
}

}  // namespace

void ShowConfigFileError(HWND owner, HINSTANCE instance, const char* fullPath, const wchar_t* wideFullPath) {
    const char* text = fullPath ? fullPath : "";
    if (g_dialog.sink) {
        g_dialog.sink(text);
        return;
    }
    if (!instance) instance = GetModuleHandleA(nullptr);
    // Made as the frame was, over a settings screen too (platform/thread_dpi_win.h): centred on the
    // whole screen.
    ThreadDpiAwareness asFrame(RootOwner(owner));
    const ErrorPath path = {text, wideFullPath};
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG_ERROR), owner, ConfigErrorProc,
                    reinterpret_cast<LPARAM>(&path));
}

void SetConfigErrorExplanation(const char* text) { g_dialog.explanation = text ? text : ""; }

void SetConfigErrorSinkForTesting(ConfigErrorSink sink) { g_dialog.sink = sink; }

}  // namespace zorv
