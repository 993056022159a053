// The program under test as a process: started in a folder with its output and, on request,
// Wine's trace kept in files; its two windows; its end. Whatever it starts ends with it.
#ifndef ZORV_E2E_APP_H
#define ZORV_E2E_APP_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/handle_guards_win.h"
#include "wait.h"

namespace zorv_e2e {

struct ExitResult {
    bool ended = false;  // false: still running at the deadline
    DWORD code = 0;
};

// One run of zorv3d.exe. The process runs in a job object so that whatever it starts goes with
// it; the destructor ends the whole tree if it is still running. Its standard output and error
// go to a temporary file of its own (the program has no console; under Wine it would otherwise
// write into the driver's output).
class App {
public:
    App() = default;
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts folder\zorv3d.exe with folder as its current directory and no arguments.
    ::testing::AssertionResult Start(const std::string& folder);
    // What the program has written to its standard output and error so far. The C runtime
    // buffers output to a file, so all of it is there only once the program has ended.
    std::string Output() const;

    // Sets a variable for the next Start: the program gets the driver's own environment with
    // this variable added or replaced.
    void SetEnvironment(const std::string& name, const std::string& value);
    // Makes the next Start run the program with these Wine debug channels (WINEDEBUG, for example
    // "-all,+winmm") and keep Wine's trace of it in a file of its own. Wine writes its trace
    // unbuffered, line by line, so WineTrace() is current while the program runs. Start fails
    // when the trace cannot be set up (not under Wine on i386 Linux).
    void TraceWine(const std::string& channels);
    std::string WineTrace() const;
    // Makes the next Start run the program by its long name and in the folder's long name, in
    // wide letters, as Explorer starts it: a short name given to Start then stands for a folder
    // named in letters this driver's code page lacks.
    void StartInLongName() { long_name_ = true; }
    bool started() const { return static_cast<bool>(process_); }
    DWORD pid() const { return pid_; }
    HANDLE process() const { return process_.get(); }
    bool IsRunning() const;
    // True when the running process has loaded the library of that file name ("winmm.dll").
    bool HasModule(const char* name) const;
    ExitResult WaitForExit(DWORD timeout_ms = kExitTimeout);
    // "the program ended with code N" once it has ended, else "".
    std::string EndedText() const;
    // Ends the process and everything it started.
    void Kill();

    // The full-screen frame (class "Zorv3D") and the menu window (class "Zorv3D Child").
    HWND Frame() const;
    HWND Menu() const;
    // Waits until the menu window is visible. Message boxes whose text is in passed_over are
    // dismissed on the way; any other dialog, or the end of the process, fails at once.
    ::testing::AssertionResult WaitForMenu(DWORD timeout_ms = kStartTimeout,
                                           const std::vector<std::string>& passed_over = {});

private:
    zorv::KernelHandle process_;
    zorv::KernelHandle thread_;
    zorv::KernelHandle job_;
    zorv::KernelHandle output_;
    std::string output_path_;
    zorv::KernelHandle trace_;
    std::string trace_path_;
    bool trace_wanted_ = false;
    bool long_name_ = false;
    std::vector<std::pair<std::string, std::string>> environment_;
    DWORD pid_ = 0;
};

// Wine's heap checks for TraceWine: a write into freed memory or past a block is reported.
constexpr char kHeapCheckChannels[] = "-all,err+heap,warn+heap";

// True when the program sees a Windows NT family system under this Wine prefix: Wine's default.
// HKCU\Software\Wine\AppDefaults\zorv3d.exe "Version" = win95, win98 or winme makes it 9x.
bool ProgramSeesNtFamily();

// Starts the program in folder and gets it to a visible menu window in front of the frame,
// expecting exactly these message boxes in this order on the way (each dismissed with OK). The
// intro movie's notice is passed over wherever it comes: tests of start-up itself check it in
// place.
::testing::AssertionResult StartToMenu(App& app, const std::string& folder,
                                       const std::vector<std::string>& messages = {});

}  // namespace zorv_e2e

#endif  // ZORV_E2E_APP_H
