#include "launch/driver_dialogs_win.h"

#include <shellapi.h>

#include "platform/library_function_win.h"
#include "platform/message_box_win.h"
#include "platform/thread_dpi_win.h"
#include "resources/resource_ids.h"

namespace zorv {
namespace {

// The shell library and the libraries it pulls in cost a tenth of the start-up under Wine,
// and only the guide's download needs it: it is loaded at the first download and kept.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                      INT show) {
    const ShellExecuteFunction shellExecute = FindFunction(LoadSystemLibrary("shell32.dll"), "ShellExecuteA");
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return shellExecute(owner, verb, file, parameters, folder, show);
}

// The shell call the download makes: the shell's own, or a test's. Process-wide: the program has
// one shell, and only the tests put another in its place, around their cases.
ShellExecuteFunction g_shellExecute = ShellExecuteOnDemand;

constexpr INT_PTR kStartNow = 1;
constexpr INT_PTR kSetDriverFirst = 2;

// The browsers are named by program file only and found by the shell's own search.
const char* const kBrowsers[] = {"iexplore.exe", "netscape.exe"};

// Opens the driver web page in the first browser the shell can start, maximised; tells the
// player when none started.
void LaunchDriverPage(HWND owner) {
    for (const char* browser : kBrowsers) {
        HINSTANCE result = g_shellExecute(owner, "open", browser, kDriverPageAddress, nullptr, SW_SHOWMAXIMIZED);
        // The shell's result is a handle only in name: above 32 means the program started.
        if (reinterpret_cast<INT_PTR>(result) > 32) return;
    }
    ShowMessage(kNoBrowserMessage);
}

HINSTANCE OrThisModule(HINSTANCE instance) { return instance ? instance : GetModuleHandleA(nullptr); }

// The procedures handle no cancel command, so Escape closes none of these dialogs.
INT_PTR CALLBACK DriverCheckProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return 0;
    switch (LOWORD(wParam)) {
    case IDC_DRIVER_CHECK_START: EndDialog(dialog, kStartNow); return 1;
    case IDC_DRIVER_CHECK_LATER: EndDialog(dialog, kSetDriverFirst); return 1;
    default: return 0;
    }
}

// lParam: the location text, already cut to the dialog's room.
INT_PTR CALLBACK DriverGuideProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_DRIVER_GUIDE_LOCATION, reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_DRIVER_GUIDE_DOWNLOAD) {
            // The dialog goes away while the browser starts; a failure is told by its own box.
            EndDialog(dialog, 0);
            LaunchDriverPage(dialog);
        } else if (LOWORD(wParam) == IDC_DRIVER_GUIDE_CANCEL) {
            EndDialog(dialog, 0);
        }
        return 0;
    default: return 0;
    }
}

INT_PTR CALLBACK DriverInstalledProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: SetDlgItemTextA(dialog, IDC_DRIVER_INSTALLED_NOTE, kGlideNote); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_DRIVER_INSTALLED_OK) EndDialog(dialog, 1);
        return 0;
    default: return 0;
    }
}

// Made as the owner was: the video screen, unaware of the display's resolution, opens these
// over the menu, which is aware, and their templates place them from the menu's client area.
INT_PTR RunDriverDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, LPARAM parameter = 0) {
    ThreadDpiAwareness asOwner(owner);
    return DialogBoxParamA(OrThisModule(instance), MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
}

}  // namespace

bool ShowDriverCheckDialog(HWND owner, HINSTANCE instance) {
    return RunDriverDialog(instance, IDD_DRIVER_CHECK, owner, DriverCheckProc) == kStartNow;
}

void ShowDriverGuideDialog(HWND owner, HINSTANCE instance, const char* location) {
    char text[kDriverLocationSize] = {};
    lstrcpynA(text, location ? location : "", sizeof text);
    RunDriverDialog(instance, IDD_DRIVER_GUIDE, owner, DriverGuideProc, reinterpret_cast<LPARAM>(text));
}

void ShowDriverInstalledDialog(HWND owner, HINSTANCE instance) {
    RunDriverDialog(instance, IDD_DRIVER_INSTALLED, owner, DriverInstalledProc);
}

void SetShellExecuteForTesting(ShellExecuteFunction function) {
    g_shellExecute = function ? function : ShellExecuteOnDemand;
}

}  // namespace zorv
