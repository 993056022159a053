// Measures the front-end against a minimal Win32 program (bench_minimal.exe) under the same Wine
// in the same run, and prints each figure with its ratio to that reference:
//  - start-up: process start until the menu window is shown, drawn and answering (the minimal
//    program's one window);
//  - hover: a pointer move onto START GAME until its highlighted picture is on screen (the
//    minimal program blitting a prepared picture when the pointer enters a spot);
//  - game end: the stand-in game's end until the menu is live again, frame restored and no
//    dialog left (the minimal program minimising itself around the same game);
//  - the longest a message to the menu waits for its answer during the first controller search,
//    without a controller and with the stand-in one (the minimal program over the same time);
//  - the return to the front with the stand-in controller read: until the controller is read
//    again, the front-end's own processor time and the longest a message to the menu waits,
//    each over the seconds after the return (for OTHER too);
//  - working set once the menu is up;
//  - processor time while idle in each menu screen (the movie has a benchmark of its own).
// Usage: startup_bench.exe [--start-up-only] [RUNS [OTHER...]]   (median of RUNS for the timed
// figures; 5 by default). Each OTHER, the path of another build of zorv3d.exe, adds its start-up,
// measured in turn with the others, and the first one its return to the front, to compare a
// change; --start-up-only stops after start-up.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app.h"
#include "files.h"
#include "input.h"
#include "menu_view.h"
#include "platform/gdi_guards_win.h"
#include "window_search.h"

using namespace zorv_e2e;

namespace {

const char kMinimalClass[] = "Zorv3D Minimal";
const char kMenuClass[] = "Zorv3D Child";
const char kFrameClass[] = "Zorv3D";
const char kGameClass[] = "Zorv3D stand-in game";
const RECT kMinimalSpot = {100, 100, 260, 160};  // as bench_minimal.exe draws it
const POINT kMinimalEmpty = {400, 400};

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Asks `done` every millisecond or so for at most `seconds`; true when it held.
bool Poll(const std::function<bool()>& done, double seconds) {
    for (double end = Now() + seconds; Now() < end; Sleep(1)) {
        if (done()) return true;
    }
    return false;
}

struct Process {
    PROCESS_INFORMATION info = {};
    bool ok = false;
    // The owners of info's two handles.
    zorv::KernelHandle process, thread;
    Process(const std::string& folder, const std::string& exe, const char* arguments) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string command = "\"" + JoinPath(folder, exe) + "\" " + arguments;
        ok = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &info) != 0;
        if (ok) {
            process.reset(info.hProcess);
            thread.reset(info.hThread);
        }
    }
    ~Process() {
        if (!ok) return;
        // The front-end's game, if one still runs, goes with it.
        if (HWND game = FindWindowA(kGameClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(game, &pid);
            zorv::KernelHandle gameProcess(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
            if (gameProcess) TerminateProcess(gameProcess.get(), 0);
        }
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
    }
    HWND Window(const char* cls) const {
        HWND w = FindWindowOfProcess(info.dwProcessId, cls);
        return w && IsWindowVisible(w) ? w : nullptr;
    }
    // The same for a top-level window, found with a few calls: a search that walks every window
    // each millisecond keeps the window system busy and slows the very start it times.
    HWND TopLevelWindow(const char* cls) const {
        for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = FindWindowExA(nullptr, w, cls, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info.dwProcessId) return IsWindowVisible(w) ? w : nullptr;
        }
        return nullptr;
    }
    // Seconds from `started` until a visible top-level window of `frameCls` shows (`frame`, when
    // one is named), a visible window of the class shows (`shown`) and then answers a sent
    // message, its first painting done and its message loop running (`live`).
    struct StartTimes {
        double frame = -1, shown = -1, live = -1;
    };
    StartTimes TimeToLive(const char* cls, double started, const char* frameCls = nullptr) const {
        StartTimes times;
        HWND w = nullptr;
        // Where the class is made a child window, a full search each 100 ms once a second has
        // passed; under Wine even one every 20 ms slowed both starts by a third.
        double lastFullSearch = started + 1;
        auto found = [&] {
            if (frameCls && times.frame < 0 && TopLevelWindow(frameCls)) times.frame = Now() - started;
            if (!(w = TopLevelWindow(cls)) && Now() - lastFullSearch > 0.1) {
                lastFullSearch = Now();
                w = Window(cls);
            }
            return w != nullptr;
        };
        if (!Poll(found, 20)) return times;
        times.shown = Now() - started;
        if (Answers(w)) times.live = Now() - started;
        return times;
    }
    double TimeToWindow(const char* cls, double started) const { return TimeToLive(cls, started).shown; }
    double CpuSeconds() const {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(info.hProcess, &created, &exited, &kernel, &user);
        auto value = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
        return value(kernel) + value(user);
    }
    double IdleCpu(double seconds) const {
        double before = CpuSeconds();
        Sleep(static_cast<DWORD>(seconds * 1000));
        return std::max(0.0, CpuSeconds() - before);
    }
    PROCESS_MEMORY_COUNTERS Memory() const {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters);
        return counters;
    }
    // The window answers a sent message: its thread is back in a message loop.
    static bool Answers(HWND w) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
    }
};

// The pixels of a screen rectangle.
std::vector<DWORD> Capture(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    zorv::WindowDC screen(nullptr);
    zorv::MemoryDC memory(screen.get());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    zorv::GdiObject<HBITMAP> dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    zorv::SelectedObject selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    std::copy(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + pixels.size(), pixels.begin());
    return pixels;
}

double Changed(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    size_t differ = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) differ += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return a.empty() ? 0 : double(differ) / double(a.size());
}

void PointerTo(HWND window, POINT client) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// Seconds from a pointer move onto `spot` until a third of its pixels changed; the pointer then
// leaves and the spot is let go back to its first look before the next run.
double HoverLatency(HWND window, const RECT& spotClient, POINT empty, int runs) {
    RECT spot = spotClient;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&spot), 2);
    const POINT centre = {(spotClient.left + spotClient.right) / 2, (spotClient.top + spotClient.bottom) / 2};
    std::vector<double> times;
    PointerTo(window, empty);
    Sleep(300);
    for (int i = 0; i < runs; ++i) {
        const std::vector<DWORD> before = Capture(spot);
        double start = Now();
        PointerTo(window, centre);
        if (!Poll([&] { return Changed(before, Capture(spot)) > 0.33; }, 5)) continue;
        times.push_back(Now() - start);
        PointerTo(window, empty);
        Poll([&] { return Changed(before, Capture(spot)) < 0.02; }, 5);
        Sleep(100);
    }
    return Median(times);
}

// Seconds from the stand-in game's end until each of `steps` first held, taken in order (a step
// is asked only once the ones before it held); -1 for a step that never held.
std::vector<double> GameEndSteps(const std::vector<std::function<bool()>>& steps) {
    std::vector<double> times(steps.size(), -1);
    HWND game = nullptr;
    if (!Poll([&] { return (game = FindWindowA(kGameClass, nullptr)) != nullptr; }, 20)) return times;
    DWORD pid = 0;
    GetWindowThreadProcessId(game, &pid);
    zorv::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process) return times;
    DWORD waited = WaitForSingleObject(process.get(), 20000);
    double ended = Now();
    if (waited != WAIT_OBJECT_0) return times;
    size_t next = 0;
    Poll(
        [&] {
            while (next < steps.size() && steps[next]()) times[next++] = Now() - ended;
            return next == steps.size();
        },
        20);
    return times;
}

// The longest a sent message waited for its answer, over `seconds` of asking the window again
// as soon as it has answered: the longest its thread held up input. -1 when it stopped answering.
double LongestAnswer(HWND window, double seconds) {
    double longest = 0;
    for (double end = Now() + seconds; Now() < end; Sleep(1)) {
        const double asked = Now();
        if (!Process::Answers(window)) return -1;
        longest = std::max(longest, Now() - asked);
    }
    return longest;
}

// The front-end's returns to the front with the stand-in controller read, the frame told what
// the system tells it when the player switches away and back: medians over `runs` of the time
// until the frame's thread reads the controller again, of the process's own processor time over
// kReturnSeconds, and (on other returns) of the longest answer of the menu over that time.
constexpr double kReturnSeconds = 2;
struct Returns {
    double read = -1, cpu = -1, longest = -1;
};
Returns TimeReturns(const std::string& folder, const char* exe, StandInController& controller, int runs) {
    Process app(folder, exe, "");
    app.TimeToLive(kMenuClass, Now());
    HWND menu = app.Window(kMenuClass), frame = FindWindowOfProcess(app.info.dwProcessId, kFrameClass);
    const DWORD thread = frame ? GetWindowThreadProcessId(frame, nullptr) : 0;
    volatile zorv_standin::JoystickState& state = controller.state();
    if (!menu || !Poll([&] { return state.reader == thread; }, 10)) return Returns();
    std::vector<double> read, cpu, longest;
    for (int i = 0; i < 2 * runs; ++i) {
        SendMessageA(frame, WM_ACTIVATEAPP, FALSE, 0);
        Sleep(200);
        state.reader = 0;
        const double cpuBefore = app.CpuSeconds(), returned = Now();
        SendMessageA(frame, WM_ACTIVATEAPP, TRUE, 0);
        if (i % 2) {
            longest.push_back(LongestAnswer(menu, kReturnSeconds));
            continue;
        }
        read.push_back(Poll([&] { return state.reader == thread; }, kReturnSeconds) ? Now() - returned : -1);
        Sleep(static_cast<DWORD>(std::max(0.0, kReturnSeconds - (Now() - returned)) * 1000));
        cpu.push_back(app.CpuSeconds() - cpuBefore);
    }
    return Returns{Median(read), Median(cpu), Median(longest)};
}

double GameEndToLive(const std::function<bool()>& live) { return GameEndSteps({live}).back(); }

bool NoDialogOf(DWORD pid) {
    for (HWND w : TopLevelWindows(pid, "#32770")) {
        if (IsWindowVisible(w)) return false;
    }
    return true;
}

// A negative reference: none, only the value.
void Row(const char* what, double value, double reference, const char* unit, double scale) {
    if (reference < 0 && value >= 0) {
        std::printf("%-44s %9.1f %s\n", what, value * scale, unit);
        return;
    }
    std::printf("%-44s %9.1f %-3s  reference %9.1f %-3s  ratio %s\n", what, value * scale, unit, reference * scale,
                unit, reference > 0 && value >= 0 ? std::to_string(value / reference).substr(0, 4).c_str() : "n/a");
}

}  // namespace

int main(int argc, char** argv) {
    const bool startUpOnly = argc > 1 && std::string(argv[1]) == "--start-up-only";
    if (startUpOnly) {
        --argc;
        ++argv;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    ScratchFolder folder("bench");
    if (!folder.ok()) {
        std::printf("cannot prepare the game folder: %s\n", folder.error().c_str());
        return 1;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string minimal = self;
    minimal = minimal.substr(0, minimal.find_last_of('\\')) + "\\bench_minimal.exe";
    CopyFileA(minimal.c_str(), folder.PathOf("bench_minimal.exe").c_str(), FALSE);
    // Every start goes straight to the game; the game shows for a moment and ends cleanly.
    folder.Write(kFirstRunFlagFile, "1\r\n");
    folder.Write("demo-game.ini", "stay=400\nlog=0\n");

    // Each start from process creation until its window is up, drawn and answering; the runs
    // take turns, in an order turned by one each run so that none always follows the same one,
    // and each process is gone and the system settled before the next one starts.
    struct Starts {
        Starts(std::string exe, std::string name, const char* cls) : exe(exe), name(name), cls(cls) {}
        std::string exe, name;
        const char* cls;
        std::vector<double> frame, shown, live;
    };
    std::vector<Starts> starts = {{"bench_minimal.exe", "the minimal program", kMinimalClass},
                                  {kProgramFile, "this build", kMenuClass}};
    // Each other build under the program's own name in a folder of its own, so that the stand-in
    // controller is chosen for it too; it runs in the game folder all the same.
    for (int i = 2; i < argc; ++i) {
        const std::string place = "other" + std::to_string(i - 1), copy = place + "\\" + kProgramFile;
        if (CreateDirectoryA(folder.PathOf(place).c_str(), nullptr) &&
            CopyFileA(argv[i], folder.PathOf(copy).c_str(), FALSE))
            starts.emplace_back(copy, argv[i], kMenuClass);
    }
    // The first other build's return to the front is measured too.
    const bool other = starts.size() > 2;
    const std::string otherExe = other ? starts[2].exe : "";
    for (int i = 0; i < runs; ++i) {
        for (size_t k = 0; k < starts.size(); ++k) {
            Starts& s = starts[(i + k) % starts.size()];
            const double start = Now();
            const Process::StartTimes t =
                Process(folder.path(), s.exe, "").TimeToLive(s.cls, start, s.cls == kMenuClass ? kFrameClass : nullptr);
            s.frame.push_back(t.frame);
            s.shown.push_back(t.shown);
            s.live.push_back(t.live);
            Sleep(200);
        }
    }
    std::printf("median of %d runs each; times in milliseconds, memory in KiB, processor time in ms per 5 s\n", runs);
    const Starts& baseline = starts[0];
    for (size_t k = 1; k < starts.size(); ++k) {
        if (k > 1) std::printf("another build: %s\n", starts[k].name.c_str());
        Row(k == 1 ? "start-up to the menu, drawn and answering" : "  start-up to the menu, drawn and answering",
            Median(starts[k].live), Median(baseline.live), "ms", 1000);
        Row("  of which: to the frame shown", Median(starts[k].frame), Median(baseline.shown), "ms", 1000);
        Row("  of which: to the menu window shown", Median(starts[k].shown), Median(baseline.shown), "ms", 1000);
        if (k == 1) continue;
        // Each run's difference from this build's start in the same run, whose load is nearer
        // the same than across runs; the middle half of them shows how far a median of this many
        // runs can be trusted on a busy machine.
        std::vector<double> later;
        for (int i = 0; i < runs; ++i) {
            if (starts[k].live[i] >= 0 && starts[1].live[i] >= 0)
                later.push_back(starts[k].live[i] - starts[1].live[i]);
        }
        std::sort(later.begin(), later.end());
        if (later.empty()) continue;
        std::printf("  %-42s %+9.1f ms  (the runs' own differences; their middle half %+.1f to %+.1f)\n",
                    "later than this build", Median(later) * 1000, later[later.size() / 4] * 1000,
                    later[later.size() * 3 / 4] * 1000);
    }
    if (startUpOnly) return 0;

    double minimalHover = -1, minimalGame = -1, minimalIdle = -1;
    PROCESS_MEMORY_COUNTERS minimalMemory = {};
    {
        Process reference(folder.path(), "bench_minimal.exe", "");
        reference.TimeToWindow(kMinimalClass, Now());
        HWND window = reference.Window(kMinimalClass);
        Sleep(500);
        minimalIdle = reference.IdleCpu(5);
        minimalMemory = reference.Memory();
        if (window) minimalHover = HoverLatency(window, kMinimalSpot, kMinimalEmpty, runs);
    }
    // The first controller search starts 300 ms after the frame comes in front, which is before
    // the menu answers: the seconds after that cover it.
    constexpr double kSearchSeconds = 3;
    std::vector<double> withoutController, withStandIn;
    auto timeSearch = [&](std::vector<double>& longest) {
        Process app(folder.path(), kProgramFile, "");
        app.TimeToLive(kMenuClass, Now());
        HWND menu = app.Window(kMenuClass);
        longest.push_back(menu ? LongestAnswer(menu, kSearchSeconds) : -1);
    };
    for (int i = 0; i < runs; ++i) timeSearch(withoutController);
    Returns returns, otherReturns;
    {
        StandInController controller;
        if (controller.Install(folder.path()) && (!other || controller.Install(folder.PathOf("other1")))) {
            for (int i = 0; i < runs; ++i) timeSearch(withStandIn);
            returns = TimeReturns(folder.path(), kProgramFile, controller, runs);
            if (other) otherReturns = TimeReturns(folder.path(), otherExe.c_str(), controller, runs);
        }
    }
    double minimalLongest = -1;
    {
        Process reference(folder.path(), "bench_minimal.exe", "");
        reference.TimeToLive(kMinimalClass, Now());
        if (HWND window = reference.Window(kMinimalClass)) minimalLongest = LongestAnswer(window, kSearchSeconds);
    }
    auto worst = [](const std::vector<double>& v) { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); };
    Row("longest answer in the first controller search", Median(withoutController), minimalLongest, "ms", 1000);
    Row("  the worst run", worst(withoutController), minimalLongest, "ms", 1000);
    Row("  with the stand-in controller", Median(withStandIn), minimalLongest, "ms", 1000);
    Row("  the worst run with it", worst(withStandIn), minimalLongest, "ms", 1000);
    for (const Returns* r : {&returns, &otherReturns}) {
        if (r == &otherReturns && !other) break;
        std::printf("%s\n", r == &returns ? "back to the front, the controller present:" : "the other build:");
        Row("  until the controller is read again", r->read, -1, "ms", 1000);
        Row("  own processor time in the 2 s after", r->cpu, -1, "ms", 1000);
        Row("  longest answer in the 2 s after", r->longest, minimalLongest, "ms", 1000);
    }

    std::vector<double> gameEnds;
    for (int i = 0; i < runs; ++i) {
        Process reference(folder.path(), "bench_minimal.exe", "game");
        gameEnds.push_back(GameEndToLive([&] {
            HWND w = reference.Window(kMinimalClass);
            return w && !IsIconic(w) && Process::Answers(w);
        }));
    }
    minimalGame = Median(gameEnds);

    Process app(folder.path(), kProgramFile, "");
    double started = Now();
    double toMenu = app.TimeToWindow(kMenuClass, started);
    HWND menu = app.Window(kMenuClass);
    HWND frame = FindWindowOfProcess(app.info.dwProcessId, kFrameClass);
    if (toMenu < 0 || !menu || !frame) {
        std::printf("the program did not reach its menu\n");
        return 1;
    }
    Sleep(500);
    Row("processor time idle in the main menu", app.IdleCpu(5), minimalIdle, "ms", 1000);
    PROCESS_MEMORY_COUNTERS memory = app.Memory();
    Row("working set with the menu up", double(memory.WorkingSetSize), double(minimalMemory.WorkingSetSize), "KiB",
        1.0 / 1024);
    Row("peak working set", double(memory.PeakWorkingSetSize), double(minimalMemory.PeakWorkingSetSize), "KiB",
        1.0 / 1024);
    Row("pointer move to highlighted START GAME", HoverLatency(menu, HotRect(kStartGame), kEmptySpot, runs),
        minimalHover, "ms", 1000);

    // Where the time goes: the frame shown again, the menu up with the momentary dialog gone,
    // the menu answering.
    std::vector<double> restored, settled, ends;
    for (int i = 0; i < runs; ++i) {
        PointerTo(menu, Centre(kStartGame));
        PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(kStartGame).x, Centre(kStartGame).y));
        PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(Centre(kStartGame).x, Centre(kStartGame).y));
        const std::vector<double> steps = GameEndSteps({
            [&] { return !IsIconic(frame) && IsWindowVisible(frame); },
            [&] { return IsWindowVisible(menu) && NoDialogOf(app.info.dwProcessId); },
            [&] { return Process::Answers(menu); },
        });
        restored.push_back(steps[0]);
        settled.push_back(steps[1]);
        ends.push_back(steps[2]);
        PointerTo(menu, kEmptySpot);
        Sleep(300);
    }
    Row("game end to the menu live again", Median(ends), minimalGame, "ms", 1000);
    Row("  of which: to the frame shown again", Median(restored), minimalGame, "ms", 1000);
    Row("  of which: to the menu up, no dialog left", Median(settled), minimalGame, "ms", 1000);

    PointerTo(menu, Centre(kOption));
    PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(kOption).x, Centre(kOption).y));
    PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(Centre(kOption).x, Centre(kOption).y));
    PointerTo(menu, kEmptySpot);
    Sleep(1000);
    Row("processor time idle in the options menu", app.IdleCpu(5), minimalIdle, "ms", 1000);
    return 0;
}
