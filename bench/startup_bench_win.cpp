// Measures, under the same Wine in the same run:
//  - the time from process start to the menu window being shown, against the time a minimal
//    Win32 program takes to show its one window (median of several runs each);
//  - the processor time the program uses while its menu sits idle for five seconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver.h"

using namespace zorv_e2e;

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Starts exe in folder and returns the seconds until a visible window of `cls` exists.
double TimeToWindow(const std::string& folder, const std::string& exe, const char* cls) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string path = JoinPath(folder, exe);
    char cmd[1] = "";
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(path.c_str(), cmd, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return -1;
    double elapsed = -1;
    for (int i = 0; i < 4000; ++i) {
        HWND w = FindWindowOfProcess(pi.dwProcessId, cls);
        if (w && IsWindowVisible(w)) {
            QueryPerformanceCounter(&now);
            elapsed = Seconds(start, now);
            break;
        }
        Sleep(2);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return elapsed;
}

double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto value = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
    return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    ScratchFolder folder("bench");
    if (!folder.ok()) {
        std::printf("cannot prepare the game folder: %s\n", folder.error().c_str());
        return 1;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string minimal = std::string(self);
    minimal = minimal.substr(0, minimal.find_last_of('\\')) + "\\bench_minimal.exe";
    CopyFileA(minimal.c_str(), folder.PathOf("bench_minimal.exe").c_str(), FALSE);

    std::vector<double> program, baseline;
    for (int i = 0; i < runs; ++i) {
        baseline.push_back(TimeToWindow(folder.path(), "bench_minimal.exe", "Zorv3D Minimal"));
        program.push_back(TimeToWindow(folder.path(), "zorv3d.exe", "Zorv3D Child"));
    }
    double p = Median(program), b = Median(baseline);
    std::printf("start-up to menu window: %.3f s (median of %d)\n", p, runs);
    std::printf("minimal Win32 program:   %.3f s (median of %d)\n", b, runs);
    std::printf("ratio:                   %.2f\n", b > 0 ? p / b : 0.0);

    App app;
    if (!app.Start(folder.path()) || !app.WaitForMenu()) {
        std::printf("the program did not reach its menu\n");
        return 1;
    }
    Sleep(500);
    double before = CpuSeconds(app.process());
    Sleep(5000);
    double used = CpuSeconds(app.process()) - before;
    if (used < 0) used = 0;
    std::printf("idle for 5 s in the menu: %.3f s of processor time (%.2f%% of a core; %.3f s since start)\n", used,
                used / 5.0 * 100.0, CpuSeconds(app.process()));
    app.Kill();
    return 0;
}
