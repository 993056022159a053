// Opening each dialog of the program until it is drawn, against a minimal dialog from a template,
// in this process under the same Wine: the time from the call that opens it until its modal loop
// has nothing left to paint (a zero timer fires only once no paint is pending). Each dialog is
// then closed the way the player closes it.
// Usage: dialog_bench.exe [RUNS]   (median of RUNS openings each; 20 by default)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "audio/audio_buttons.h"
#include "audio/audio_dialog_win.h"
#include "files.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "graphics/picture_slots_win.h"
#include "howtoplay/howto_buttons.h"
#include "howtoplay/howto_win.h"
#include "keys/key_buttons.h"
#include "keys/key_dialog_win.h"
#include "launch/driver_dialogs_win.h"
#include "launch/game_log_win.h"
#include "menus/menu_screens_win.h"
#include "platform/handle_guards_win.h"
#include "platform/message_box_win.h"
#include "resources/resource_ids.h"
#include "settings/config_error_win.h"
#include "settings/game_files.h"
#include "startup/intro_movie_win.h"
#include "video/video_buttons.h"
#include "video/video_dialog_win.h"

using namespace zorv;

namespace {

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

struct Close {
    int command = 0;
    const ButtonSpec* button = nullptr;
};
Close g_close;
UINT_PTR g_timer = 0;
double g_drawn = 0;

const ButtonSpec* ButtonOf(const ButtonTable& table, int command) {
    for (int i = 0; i < table.count; ++i) {
        if (table.buttons[i].command == command) return &table.buttons[i];
    }
    return nullptr;
}

BOOL CALLBACK TakeDialog(HWND window, LPARAM out) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

void CALLBACK Drawn(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    g_drawn = Now();
    KillTimer(nullptr, g_timer);
    if (g_close.button) {
        const ButtonSpec& b = *g_close.button;
        const LPARAM at = MAKELPARAM((b.hot.left + b.hot.right) / 2, (b.hot.top + b.hot.bottom) / 2);
        SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (IsWindow(dialog)) SendMessageA(dialog, WM_LBUTTONUP, 0, at);
    } else if (g_close.command) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(g_close.command, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, g_close.command)));
    } else {
        EndDialog(dialog, 0);
    }
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double TimeToDrawn(const std::function<void()>& open, Close close, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        g_close = close;
        g_drawn = 0;
        g_timer = SetTimer(nullptr, 0, 0, Drawn);
        const double start = Now();
        open();
        KillTimer(nullptr, g_timer);
        if (g_drawn > 0) times.push_back(g_drawn - start);
    }
    return Median(times);
}

INT_PTR CALLBACK MinimalProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A modal-frame dialog in the "System" font with one text and one button, as the program's are.
std::vector<WORD> MinimalTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    d->cx = 195;
    d->cy = 86;
    t.insert(t.end(), {0, 0, 0, 12});  // no menu, the dialog class, no title, font size
    for (const char* c = "System"; *c; ++c) t.push_back(static_cast<WORD>(*c));
    t.push_back(0);
    return t;
}

void IgnoreMessage(const char*) {}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    zorv_e2e::ScratchFolder folder("dialog-bench");
    if (!folder.ok()) {
        std::printf("cannot prepare the game folder: %s\n", folder.error().c_str());
        return 1;
    }
    SetCurrentDirectoryA(folder.path().c_str());
    const LoadedModule loaded(
        LoadLibraryExA(folder.PathOf(kProgramFile).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    const HINSTANCE program = loaded.get();
    if (!program) {
        std::printf("cannot map zorv3d.exe\n");
        return 1;
    }
    SetMessageSinkForTesting(IgnoreMessage);
    AudioSettings audio;
    KeyBindings keys;
    VideoSettings video;
    DriverList drivers;
    struct Dialog {
        const char* name;
        std::function<void()> open;
        Close close;
    } dialogs[] = {
        {"audio", [&] { ShowAudioDialog(nullptr, program, audio); }, {0, ButtonOf(kAudioTable, kCommandAudioDone)}},
        {"keys", [&] { ShowKeyDialog(nullptr, program, keys); }, {0, ButtonOf(kKeyButtonTable, kCommandKeysCancel)}},
        {"how to play",
         [&] {
             int page = 0;
             ShowHowToPlay(nullptr, program, page);
         },
         {0, ButtonOf(kHowToPlayTable, kCommandCloseHowToPlay)}},
        {"video",
         [&] { ShowVideoDialog(nullptr, program, video, drivers); },
         {0, ButtonOf(kVideoTable, kCommandVideoDone)}},
        {"driver check", [&] { ShowDriverCheckDialog(nullptr, program); }, {IDC_DRIVER_CHECK_LATER, nullptr}},
        {"driver guide",
         [&] { ShowDriverGuideDialog(nullptr, program, "C:\\Game"); },
         {IDC_DRIVER_GUIDE_CANCEL, nullptr}},
        {"driver installed", [&] { ShowDriverInstalledDialog(nullptr, program); }, {IDC_DRIVER_INSTALLED_OK, nullptr}},
        {"game error report", [&] { ShowGameErrorReport(nullptr, program, ""); }, {IDC_GAME_ERROR_OK, nullptr}},
        {"configuration-file error", [&] { ShowConfigFileError(nullptr, program, "C:\\Game\\info\\x.cfg"); }, {}},
    };
    const std::vector<WORD> minimal = MinimalTemplate();
    auto openMinimal = [&] {
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(minimal.data()),
                                nullptr, MinimalProc, 0);
    };
    // One opening of each first, so that no figure carries what the process does only once.
    TimeToDrawn(openMinimal, {}, 1);
    for (const Dialog& dialog : dialogs) TimeToDrawn(dialog.open, dialog.close, 1);
    const double reference = TimeToDrawn(openMinimal, {}, runs);
    std::printf("opening until drawn, median of %d, in milliseconds\n", runs);
    std::printf("%-28s %8.2f\n", "minimal dialog (reference)", reference * 1000);
    for (const Dialog& dialog : dialogs) {
        const double time = TimeToDrawn(dialog.open, dialog.close, runs);
        std::printf("%-28s %8.2f  ratio %.2f\n", dialog.name, time * 1000, reference > 0 ? time / reference : 0.0);
    }
    // What each opening of a screen with image buttons spends on their pictures alone: loaded
    // from the resources with their palettes, then freed, as each opening and closing does.
    std::printf("of which the button pictures, loaded and freed, median of %d\n", runs);
    const struct {
        const char* name;
        const ButtonTable& table;
    } screens[] = {
        {"audio", kAudioTable}, {"keys", kKeyButtonTable}, {"how to play", kHowToPlayTable}, {"video", kVideoTable}};
    for (const auto& screen : screens) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            ButtonScreen buttons;
            const double start = Now();
            InitButtonScreen(buttons, screen.table);
            LoadScreenImages(program, buttons);
            FreeButtons(buttons);
            times.push_back(Now() - start);
        }
        std::printf("%-28s %8.2f  (%d buttons)\n", screen.name, Median(times) * 1000, screen.table.count);
    }
    // The work start-up does besides making two windows, timed piece by piece in this process:
    // what separates the program's start-up from a minimal program's.
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZorvBenchFrame";
        RegisterClassA(&windowClass);
        HWND frame = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, windowClass.hInstance, nullptr);
        HWND menu = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 640, 480, frame, nullptr,
                                    windowClass.hInstance, nullptr);
        ShowWindow(menu, SW_SHOWNA);
        std::vector<double> frameTimes, menuTimes, firstShowTimes, movieTimes;
        for (int i = 0; i < runs; ++i) {
            double start = Now();
            ReadPicture(kFrameBackground, 0);
            DrawFrameBackground(frame);
            frameTimes.push_back(Now() - start);
            start = Now();
            MenuScreens menus;
            menus.SetUp(program);
            menuTimes.push_back(Now() - start);
            start = Now();
            DrawNow(menus, menu);
            firstShowTimes.push_back(Now() - start);
            menus.Free();
            ReleasePictures();
            start = Now();
            PlayIntroMovie(frame, "missing.avi", 640, 480);
            movieTimes.push_back(Now() - start);
        }
        DestroyWindow(menu);
        DestroyWindow(frame);
        std::printf("start-up's own work, median of %d, in milliseconds\n", runs);
        std::printf("%-44s %8.2f\n", "frame picture read and drawn scaled", Median(frameTimes) * 1000);
        std::printf("%-44s %8.2f\n", "eight screen pictures read, menus set up", Median(menuTimes) * 1000);
        std::printf("%-44s %8.2f\n", "main menu first drawn, its bitmap made", Median(firstShowTimes) * 1000);
        std::printf("%-44s %8.2f\n", "intro movie, file missing", Median(movieTimes) * 1000);
    }
    SetMessageSinkForTesting(nullptr);
    SetCurrentDirectoryA("C:\\");
    return 0;
}
