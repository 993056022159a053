#include "startup/windows_win.h"

#include <cstdio>
#include <memory>

#include "captions/captions_win.h"
#include "graphics/drawing_win.h"
#include "graphics/geometry.h"
#include "graphics/image_button_screen_win.h"
#include "graphics/picture_slot.h"
#include "graphics/picture_slots_win.h"
#include "input/controller_win.h"
#include "launch/launch_win.h"
#include "menus/menu_screens_win.h"
#include "platform/app_win.h"
#include "platform/gdi_guards_win.h"
#include "settings/first_run_flag_win.h"
#include "settings/game_files.h"
#include "startup/single_instance_win.h"

namespace zorv {

const char kFrameClass[] = "Zorv3D";
const char kMenuClass[] = "Zorv3D Child";

namespace {

// The 95 family (the high bit of the version set) from 4.0 on.
bool UseExtendedRegistration() {
    const DWORD version = GetVersion();
    return (version & 0x80000000u) != 0 && LOBYTE(LOWORD(version)) >= 4;
}

WNDCLASSA ClassRecord(const char* name, WNDPROC procedure, HINSTANCE instance, HICON icon) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = name;
    return wc;
}

// RegisterClassA on the NT family and on systems before 4.0; the extended record with
// RegisterClassExA on the 95 family. 0 on failure.
ATOM RegisterWindowClass(const WNDCLASSA& wc) {
    if (!UseExtendedRegistration()) return RegisterClassA(&wc);
    const WNDCLASSEXA ex = {sizeof(WNDCLASSEXA), wc.style,        wc.lpfnWndProc,   wc.cbClsExtra,
                            wc.cbWndExtra,       wc.hInstance,    wc.hIcon,         wc.hCursor,
                            wc.hbrBackground,    wc.lpszMenuName, wc.lpszClassName, nullptr};
    return RegisterClassExA(&ex);
}

// The game controller, in the frame's user data from its creation to its end.
ControllerWatch* WatchOf(HWND frame) {
    return reinterpret_cast<ControllerWatch*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

// Reads the frame's background picture into slot 0 and draws it into the frame being created
// (its handle is not stored yet), while it is hidden.
void OnFrameCreate(HWND frame) {
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ControllerWatch));
    ReadPicture(kFrameBackground, kSlotFrameBackground);
    DrawFrameBackground(frame);
}

// A look that still runs ends with the frame, and posts nowhere: the frame's handle may be
// another window's by then.
void OnFrameDestroy(HWND frame) {
    std::unique_ptr<ControllerWatch> watch(WatchOf(frame));
    SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
    watch.reset();
    ReleasePictures();
    PostQuitMessage(0);
}

void OnFrameController(HWND frame, UINT message, WPARAM wParam) {
    if (ControllerWatch* watch = WatchOf(frame)) watch->Handle(frame, message, wParam);
}

// F5 writes the available physical memory to standard output (a diagnostic without console).
// Every other key is the menu window's: the frame has the keyboard focus while the menu shows.
void OnFrameKey(UINT message, WPARAM key, LPARAM flags) {
    if (key != VK_F5 || message != WM_KEYDOWN) {
        if (App().menu) SendMessageA(App().menu, message, key, flags);
        return;
    }
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    std::printf("Avail Phys Memory : %lu\n", static_cast<unsigned long>(status.dwAvailPhys));
    std::fflush(stdout);
}

// The menu window owns its screens: its creation hands them to its user data, its destruction
// takes them back. A command that runs a settings screen or the game holds them too: a close from
// outside meanwhile destroys the window, and the command must find them when it returns.
using SharedScreens = std::shared_ptr<MenuScreens>;
SharedScreens* HolderOf(HWND menu) { return reinterpret_cast<SharedScreens*>(GetWindowLongPtrA(menu, GWLP_USERDATA)); }
MenuScreens* ScreensOf(HWND menu) {
    SharedScreens* holder = HolderOf(menu);
    return holder ? holder->get() : nullptr;
}

// During creation the program-wide menu handle is still empty: the set-up steps need only
// the instance handle, and an error dialog raised here has no owner. The screens are the
// window's once it has been made whole: a close from outside (End task, logoff) during a
// message box of the set-up destroys the window while the set-up still runs.
void OnMenuCreate(HWND menu) {
    auto holder = std::make_unique<SharedScreens>(std::make_shared<MenuScreens>());
    MenuScreens& screens = **holder;
    screens.SetUp(App().instance);
    ReadCaptionFile(kCaptionFile);
    ReadFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFile, screens.firstRunFlag());
    if (IsWindow(menu)) SetWindowLongPtrA(menu, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(holder.release()));
}

// A window destroyed while it was being made has read no first-run flag, so it writes none.
// A settings screen still open over the menu (owned by the frame, it outlives the menu window) is
// ended first: the records it was handed go with the window.
void OnMenuDestroy(HWND menu) {
    ImageButtonScreen::EndScreensOver(menu);
    std::unique_ptr<SharedScreens> holder(HolderOf(menu));
    MenuScreens* screens = holder ? holder->get() : nullptr;
    if (screens) WriteFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFileAsWritten, screens->firstRunFlag());
    ReleasePictures();
    SetWindowLongPtrA(menu, GWLP_USERDATA, 0);
    if (screens) screens->Gone();  // both menus' buttons and the screen bitmaps
    holder.reset();
    // The frame releases the (already empty) slots and ends the message loop.
    SendMessageA(GetParent(menu), WM_DESTROY, 0, 0);
}

// At logoff Windows ends the program after this message without destroying its windows, so
// the flag that OnMenuDestroy would write is written here too.
void OnMenuEndSession(HWND menu, bool ending) {
    MenuScreens* screens = ScreensOf(menu);
    if (ending && screens)
        WriteFirstRunFlagFile(App().menu, App().instance, kFirstRunFlagFileAsWritten, screens->firstRunFlag());
}

// Painted between BeginPaint and EndPaint, so that the background erase (the class's black
// brush) comes before the screen is drawn and never wipes it afterwards. A repaint draws the
// whole screen, every button normal, whatever part was uncovered: a highlighted or pressed
// picture never stands half over a repainted one.
void OnMenuPaint(HWND menu) {
    InvalidateRect(menu, nullptr, FALSE);
    PaintDC paint(menu);
    if (MenuScreens* screens = ScreensOf(menu)) screens->Draw(menu, paint.get());
}

void OnMenuPrintClient(HWND menu, HDC dc) {
    if (MenuScreens* screens = ScreensOf(menu)) screens->Draw(menu, dc);
}

void OnMenuMouseMove(HWND menu) {
    if (MenuScreens* screens = ScreensOf(menu)) screens->MouseMove(menu);
}

// Each of these may run a command, which holds the screens until it returns.
SharedScreens HeldScreens(HWND menu) {
    SharedScreens* holder = HolderOf(menu);
    return holder ? *holder : nullptr;
}

void OnMenuKeyDown(HWND menu, WPARAM key, LPARAM flags) {
    if (SharedScreens screens = HeldScreens(menu)) screens->Key(menu, App().instance, key, flags);
}

void OnMenuKeyUp(HWND menu, WPARAM key) {
    if (MenuScreens* screens = ScreensOf(menu)) screens->KeyUp(key);
}

LRESULT OnMenuController(HWND menu, WPARAM action) {
    if (SharedScreens screens = HeldScreens(menu))
        screens->Controller(menu, App().instance, static_cast<ControllerAction>(action));
    return 1;
}

// The press is drawn and sounded first; its command then runs, a whole game launch included,
// before the next message is taken.
void OnMenuLeftButtonDown(HWND menu, unsigned x, unsigned y) {
    SharedScreens screens = HeldScreens(menu);
    if (!screens) return;
    const int command = screens->Press(menu, POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
    screens->Dispatch(menu, App().instance, command);
}

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT secondStart = SecondStartMessage();
    if (secondStart && message == secondStart) return AnswerSecondStart(window, wParam, RunningGame());
    switch (message) {
    case WM_CREATE: OnFrameCreate(window); break;
    case WM_DESTROY: OnFrameDestroy(window); break;
    case WM_KEYDOWN:
    case WM_KEYUP: OnFrameKey(message, wParam, lParam); break;
    case WM_ACTIVATEAPP:
    case WM_DEVICECHANGE:
    case WM_TIMER:
    case kControllerLookedMessage: OnFrameController(window, message, wParam); break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnMenuCreate(window); break;
    case WM_DESTROY: OnMenuDestroy(window); break;
    case WM_ENDSESSION: OnMenuEndSession(window, wParam != FALSE); break;
    case WM_PAINT: OnMenuPaint(window); break;
    case WM_PRINTCLIENT: OnMenuPrintClient(window, reinterpret_cast<HDC>(wParam)); break;
    case WM_MOUSEMOVE: OnMenuMouseMove(window); break;
    case WM_LBUTTONDOWN: OnMenuLeftButtonDown(window, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_KEYDOWN: OnMenuKeyDown(window, wParam, lParam); break;
    case WM_KEYUP: OnMenuKeyUp(window, wParam); break;
    case kControllerMessage: return OnMenuController(window, wParam);
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateFrameWindow(HINSTANCE instance) {
    // The frame asks the system for an icon it does not have, so the class has none.
    WNDCLASSA wc = ClassRecord(kFrameClass, FrameWindowProc, instance, LoadIconA(nullptr, "IDI_ZORV"));
    if (!RegisterWindowClass(wc)) return nullptr;
    App().instance = instance;
    return CreateWindowExA(0, kFrameClass, "Zorv3D", WS_POPUPWINDOW, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
}

HWND CreateMenuWindow(HWND frame, HINSTANCE instance, bool* classFailed) {
    *classFailed = !RegisterWindowClass(ClassRecord(kMenuClass, MenuWindowProc, instance, nullptr));
    if (*classFailed) return nullptr;
    MenuPlacement p = CentreMenu(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    App().instance = instance;
    return CreateWindowExA(0, kMenuClass, nullptr, WS_POPUP | WS_CHILD | WS_BORDER | WS_SYSMENU, p.x, p.y, p.width,
                           p.height, frame, nullptr, instance, nullptr);
}

}  // namespace zorv
