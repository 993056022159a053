#include "settings/config_error_win.h"

#include <cstdlib>

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

// lParam is the whole path the caller names, however deep the installation folder.
INT_PTR CALLBACK ConfigErrorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_CONFIG_ERROR_TEXT, reinterpret_cast<const char*>(lParam));
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

void ShowConfigFileError(HWND owner, HINSTANCE instance, const char* fullPath) {
    const char* text = fullPath ? fullPath : "";
    if (g_dialog.sink) {
        g_dialog.sink(text);
        return;
    }
    if (!instance) instance = GetModuleHandleA(nullptr);
    // Made as the frame was, over a settings screen too (platform/thread_dpi_win.h): centred on the
    // whole screen.
    ThreadDpiAwareness asFrame(RootOwner(owner));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG_ERROR), owner, ConfigErrorProc,
                    reinterpret_cast<LPARAM>(text));
}

void SetConfigErrorExplanation(const char* text) { g_dialog.explanation = text ? text : ""; }

void SetConfigErrorSinkForTesting(ConfigErrorSink sink) { g_dialog.sink = sink; }

}  // namespace zorv
