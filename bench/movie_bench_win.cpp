// Measures the intro movie under the same Wine, at the screen size it runs in:
//  - the processor time start-up spends while the movie plays, against the movie's length: the
//    whole process (the device decodes and draws on a thread of its own) and the main thread
//    alone (the status poll);
//  - how long Escape takes to end the movie: from the key going down to the device being closed,
//    and to the menu window showing.
// Each figure is the median of several runs.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "driver.h"

using namespace zorv_e2e;

namespace {

constexpr char kDeviceWindowClass[] = "MCIAVI";

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) / double(f.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Seconds(FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; }

double ThreadCpu(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(thread, &created, &exited, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

// Processor time of every thread of a process, sampled again and again: the device's player
// thread ends with the movie, so its time is the last value seen before it went. (Under Wine the
// process times of another process leave most of its threads out; thread times are exact.)
class ThreadClock {
public:
    explicit ThreadClock(DWORD pid) : pid_(pid) {
        Sample();
        start_ = last_;
    }
    void Sample() {
        zorv::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        if (!snapshot) return;
        THREADENTRY32 entry;
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
            if (entry.th32OwnerProcessID != pid_) continue;
            zorv::KernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
            if (thread) last_[entry.th32ThreadID] = ThreadCpu(thread.get());
        }
    }
    // Seconds used since the clock was made, all threads together.
    double Used() const {
        double sum = 0;
        for (const auto& t : last_) {
            auto before = start_.find(t.first);
            sum += t.second - (before == start_.end() ? 0.0 : before->second);
        }
        return sum;
    }

private:
    DWORD pid_;
    std::map<DWORD, double> start_, last_;
};

// The movie's length in seconds from its main header: frames times the time of one frame.
double MovieSeconds(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes) || bytes.size() < 56) return -1;
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    if (bytes.compare(24, 4, "avih") != 0) return -1;
    return double(u32(32)) * 1e-6 * double(u32(48));
}

// One run of the program, started here so that its main thread's handle is at hand.
class Run {
public:
    explicit Run(const std::string& folder) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string exe = JoinPath(folder, kProgramFile);
        char cmd[1] = "";
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(exe.c_str(), cmd, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return;
        process_.reset(pi.hProcess);
        thread_.reset(pi.hThread);
        pid_ = pi.dwProcessId;
    }
    ~Run() {
        if (!process_) return;
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 5000);
    }
    bool ok() const { return static_cast<bool>(process_); }
    DWORD pid() const { return pid_; }
    HANDLE thread() const { return thread_.get(); }

private:
    zorv::KernelHandle process_, thread_;
    DWORD pid_ = 0;
};

// Polls every 2 ms until done() holds; false at the deadline.
template <typename Done>
bool PollUntil(Done done, DWORD timeoutMs = 20000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(2);
    }
    return true;
}

bool DeviceOpen(DWORD pid) { return FindWindowOfProcess(pid, kDeviceWindowClass) != nullptr; }
bool MenuShown(DWORD pid) { return IsShown(FindWindowOfProcess(pid, "Zorv3D Child")); }

// Answers the notice that comes before the movie on the NT family; true once the movie runs.
bool PastNotice(const Run& run) {
    if (!PollUntil([&] { return DeviceOpen(run.pid()); })) return false;
    if (ProgramSeesNtFamily()) {
        HWND box = WaitForMessageBox(run.pid());
        if (!box || MessageBoxText(box) != kIntroNotice) return false;
        ClickDialogButton(box, IDOK);
    }
    return true;
}

void EscapeKey(bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_ESCAPE;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_ESCAPE, 0));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    ScratchFolder folder("bench-movie");
    std::string movie = folder.PathOf(kIntroMovie);
    if (!folder.ok() || !folder.Restore(kIntroMovie)) {
        std::printf("cannot prepare the game folder with its movie\n");
        return 1;
    }
    double length = MovieSeconds(movie);
    std::printf("screen %dx%d, movie %.2f s long\n", ScreenWidth(), ScreenHeight(), length);

    std::vector<double> wall, process, poll;
    for (int i = 0; i < runs; ++i) {
        Run run(folder.path());
        if (!run.ok() || !PastNotice(run)) {
            std::printf("run %d: the movie did not start\n", i + 1);
            return 1;
        }
        double t0 = Now(), m0 = ThreadCpu(run.thread());
        ThreadClock clock(run.pid());
        if (!PollUntil([&] {
                clock.Sample();
                return !DeviceOpen(run.pid());
            })) {
            std::printf("run %d: the movie did not end\n", i + 1);
            return 1;
        }
        wall.push_back(Now() - t0);
        process.push_back(clock.Used());
        poll.push_back(ThreadCpu(run.thread()) - m0);
    }
    double w = Median(wall), p = Median(process), m = Median(poll);
    std::printf("movie on screen:           %.2f s (median of %d)\n", w, runs);
    std::printf(
        "processor time meanwhile:  %.3f s whole process (%.1f%% of a core), %.3f s main thread "
        "(%.1f%% of a core)\n",
        p, p / w * 100.0, m, m / w * 100.0);

    std::vector<double> toClosed, toMenu;
    for (int i = 0; i < runs; ++i) {
        Run run(folder.path());
        if (!run.ok() || !PastNotice(run)) {
            std::printf("run %d: the movie did not start\n", i + 1);
            return 1;
        }
        Sleep(500);
        double t0 = Now();
        EscapeKey(true);
        bool closed = PollUntil([&] { return !DeviceOpen(run.pid()); });
        double t1 = Now();
        bool menu = PollUntil([&] { return MenuShown(run.pid()); });
        double t2 = Now();
        EscapeKey(false);
        if (!closed || !menu) {
            std::printf("run %d: Escape did not end the movie\n", i + 1);
            return 1;
        }
        toClosed.push_back(t1 - t0);
        toMenu.push_back(t2 - t0);
    }
    std::printf("Escape to device closed:   %.3f s (median of %d)\n", Median(toClosed), runs);
    std::printf("Escape to menu window:     %.3f s (median of %d)\n", Median(toMenu), runs);
    return 0;
}
