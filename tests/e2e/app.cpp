#include "app.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "files.h"
#include "game_files.h"
#include "message_boxes.h"
#include "window_search.h"

namespace zorv_e2e {
namespace {

const char kFrameClass[] = "Zorv3D";
const char kMenuClass[] = "Zorv3D Child";

using RegistryKey = zorv::UniqueHandle<zorv::CloseWith<HKEY, RegCloseKey>>;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

void TerminateDescendants(DWORD pid) {
    zorv::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    std::vector<DWORD> family{pid};
    PROCESSENTRY32 entry;
    // Grows the family until no process of the snapshot has a parent in it that is not yet listed.
    for (bool grew = true; grew;) {
        grew = false;
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
            bool child = std::find(family.begin(), family.end(), entry.th32ParentProcessID) != family.end();
            bool known = std::find(family.begin(), family.end(), entry.th32ProcessID) != family.end();
            if (child && !known && entry.th32ProcessID != GetCurrentProcessId()) {
                family.push_back(entry.th32ProcessID);
                grew = true;
            }
        }
    }
    for (size_t i = 1; i < family.size(); ++i) {
        zorv::KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, family[i]));
        if (process) TerminateProcess(process.get(), 1);
    }
}

// A temporary file that a started process inherits as a handle; INVALID_HANDLE_VALUE on failure.
HANDLE CreateInheritableTempFile(const char* prefix, std::string* path) {
    char temp[MAX_PATH];
    char name[MAX_PATH];
    path->clear();
    if (!GetTempPathA(sizeof temp, temp) || !GetTempFileNameA(temp, prefix, 0, name)) {
        return INVALID_HANDLE_VALUE;
    }
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    *path = name;
    return file;
}

// The driver's environment block with these variables added or replaced (names compared without
// regard to case, as the platform does).
std::vector<char> EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> entries;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* entry = block; *entry; entry += std::strlen(entry) + 1) {
            entries.push_back(entry);
        }
        FreeEnvironmentStringsA(block);
    }
    for (const auto& change : changes) {
        const std::string prefix = change.first + "=";
        auto same_name = [&prefix](const std::string& entry) {
            return entry.size() >= prefix.size() && _strnicmp(entry.c_str(), prefix.c_str(), prefix.size()) == 0;
        };
        entries.erase(std::remove_if(entries.begin(), entries.end(), same_name), entries.end());
        entries.push_back(prefix + change.second);
    }
    std::vector<char> block;
    for (const std::string& entry : entries) {
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    }
    block.push_back('\0');
    return block;
}

// Wine writes the trace of its debug channels straight to the Unix standard error (descriptor 2)
// of a process, and a process started with CreateProcess inherits that descriptor from the one
// that starts it: no Windows standard handle reaches it. So while the program is being started,
// the driver's own descriptor 2 points at the trace file, and is put back right after. This needs
// Wine's wine_server_handle_to_fd and Linux system calls made directly (i386: int 0x80).
class UnixStderrSwap {
public:
    explicit UnixStderrSwap(HANDLE file) {
#if defined(__i386__)
        using HandleToFd = LONG(__cdecl*)(HANDLE, unsigned int, int*, unsigned int*);
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        FARPROC found = ntdll ? GetProcAddress(ntdll, "wine_server_handle_to_fd") : nullptr;
        auto handle_to_fd = reinterpret_cast<HandleToFd>(reinterpret_cast<void*>(found));
        int fd = -1;
        if (!handle_to_fd || handle_to_fd(file, FILE_WRITE_DATA, &fd, nullptr) != 0 || fd < 0) return;
        saved_ = Linux(kDup, 2);
        if (saved_ >= 0 && Linux(kDup2, fd, 2) != 2) {
            Linux(kClose, saved_);
            saved_ = -1;
        }
        Linux(kClose, fd);
#else
        (void)file;
#endif
    }
    ~UnixStderrSwap() {
        if (saved_ < 0) return;
        Linux(kDup2, saved_, 2);
        Linux(kClose, saved_);
    }
    UnixStderrSwap(const UnixStderrSwap&) = delete;
    UnixStderrSwap& operator=(const UnixStderrSwap&) = delete;
    bool ok() const { return saved_ >= 0; }

private:
    static constexpr long kClose = 6;
    static constexpr long kDup = 41;
    static constexpr long kDup2 = 63;

    static long Linux(long number, long a, long b = 0) {
#if defined(__i386__)
        long result;
        __asm__ volatile("int $0x80" : "=a"(result) : "0"(number), "b"(a), "c"(b) : "memory");
        return result;
#else
        (void)number;
        (void)a;
        (void)b;
        return -1;
#endif
    }

    long saved_ = -1;
};

}  // namespace

App::~App() {
    if (IsRunning()) Kill();
    // Each file is closed before it is deleted: an open file cannot be.
    thread_.reset();
    process_.reset();
    job_.reset();
    output_.reset();
    if (!output_path_.empty()) DeleteFileA(output_path_.c_str());
    trace_.reset();
    if (!trace_path_.empty()) DeleteFileA(trace_path_.c_str());
}

void App::SetEnvironment(const std::string& name, const std::string& value) { environment_.emplace_back(name, value); }

void App::TraceWine(const std::string& channels) {
    SetEnvironment("WINEDEBUG", channels);
    trace_wanted_ = true;
}

std::string App::WineTrace() const {
    std::string bytes;
    if (!trace_path_.empty()) ReadWholeFile(trace_path_, &bytes);
    return bytes;
}

::testing::AssertionResult App::Start(const std::string& folder) {
    if (process_) return ::testing::AssertionFailure() << "the program was already started";
    std::string exe = JoinPath(folder, kProgramFile);
    if (!FileExists(exe)) return ::testing::AssertionFailure() << exe << " does not exist";

    // Whatever the program starts (the game) belongs to the same job and ends with it, also when
    // this driver is killed by the test's time limit and its handles close.
    job_.reset(CreateJobObjectA(nullptr, nullptr));
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            job_.reset();
        }
    }

    output_.reset(CreateInheritableTempFile("zor", &output_path_));
    if (!output_) {
        return ::testing::AssertionFailure() << "cannot create a file for the program's output";
    }
    std::unique_ptr<UnixStderrSwap> stderr_to_trace;
    if (trace_wanted_) {
        trace_.reset(CreateInheritableTempFile("zwt", &trace_path_));
        if (trace_) stderr_to_trace.reset(new UnixStderrSwap(trace_.get()));
        if (!stderr_to_trace || !stderr_to_trace->ok()) {
            return ::testing::AssertionFailure()
                   << "cannot send Wine's trace of the program to a file (not under Wine on i386 Linux?)";
        }
    }
    std::vector<char> environment;
    if (!environment_.empty()) environment = EnvironmentBlock(environment_);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_SHOWNORMAL;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output_.get();
    startup.hStdError = output_.get();
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"";
    std::vector<char> command_line(command.begin(), command.end());
    command_line.push_back('\0');
    void* block = environment.empty() ? nullptr : environment.data();
    BOOL created = FALSE;
    if (long_name_) {
        static_assert(sizeof(STARTUPINFOW) == sizeof startup, "the same fields, no texts set");
        STARTUPINFOW wide_startup;
        std::memcpy(&wide_startup, &startup, sizeof startup);
        std::wstring wide_exe = LongName(exe), wide_line = L"\"" + wide_exe + L"\"";
        created = CreateProcessW(wide_exe.c_str(), &wide_line[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, block,
                                 LongName(folder).c_str(), &wide_startup, &info);
    } else {
        created = CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, block,
                                 folder.c_str(), &startup, &info);
    }
    stderr_to_trace.reset();
    if (!created) {
        return ::testing::AssertionFailure() << "CreateProcessA(" << exe << ") failed, error " << GetLastError();
    }
    if (job_ && !AssignProcessToJobObject(job_.get(), info.hProcess)) job_.reset();
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    pid_ = info.dwProcessId;
    ResumeThread(thread_.get());
    return ::testing::AssertionSuccess();
}

std::string App::Output() const {
    std::string bytes;
    if (!output_path_.empty()) ReadWholeFile(output_path_, &bytes);
    return bytes;
}

bool App::IsRunning() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

ExitResult App::WaitForExit(DWORD timeout_ms) {
    ExitResult result;
    if (!process_) return result;
    if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return result;
    result.ended = GetExitCodeProcess(process_.get(), &result.code) != 0;
    return result;
}

void App::Kill() {
    if (!process_) return;
    TerminateDescendants(pid_);
    if (job_) TerminateJobObject(job_.get(), 1);
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

HWND App::Frame() const { return pid_ ? FindWindowOfProcess(pid_, kFrameClass) : nullptr; }

HWND App::Menu() const { return pid_ ? FindWindowOfProcess(pid_, kMenuClass) : nullptr; }

std::string App::EndedText() const {
    DWORD code = 0;
    if (IsRunning() || !process_ || !GetExitCodeProcess(process_.get(), &code)) return std::string();
    return "the program ended with code " + std::to_string(code);
}

::testing::AssertionResult App::WaitForMenu(DWORD timeout_ms, const std::vector<std::string>& passed_over) {
    if (!process_) return ::testing::AssertionFailure() << "the program was not started";
    std::string failure;
    bool shown = WaitFor(
        [&] {
            if (IsShown(Menu())) return true;
            if (HWND dialog = FindDialog(pid_)) {
                if (TextOf(dialog) == kMessageCaption && Contains(passed_over, MessageBoxText(dialog))) {
                    DismissMessageBox(dialog);
                    return false;
                }
                failure = "waiting for the menu window, a dialog appeared: " + DescribeWindow(dialog);
                return true;
            }
            failure = EndedText();
            if (!failure.empty()) failure += " before its menu window showed";
            return !failure.empty();
        },
        timeout_ms);
    if (shown && failure.empty()) return ::testing::AssertionSuccess();
    if (failure.empty()) {
        failure = "no visible menu window after " + std::to_string(timeout_ms) + " ms (frame " +
                  (Frame() ? "exists" : "missing") + ", menu window " + (Menu() ? "exists, hidden" : "missing") + ")";
    }
    return ::testing::AssertionFailure() << failure;
}

bool App::HasModule(const char* name) const {
    zorv::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid_));
    if (!snapshot) return false;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot.get(), &module); more && !found;
         more = Module32Next(snapshot.get(), &module)) {
        found = lstrcmpiA(module.szModule, name) == 0;
    }
    return found;
}

bool ProgramSeesNtFamily() {
    const char* keys[] = {"Software\\Wine\\AppDefaults\\zorv3d.exe", "Software\\Wine"};
    for (const char* key : keys) {
        RegistryKey handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.put()) != ERROR_SUCCESS) continue;
        char value[64] = {};
        DWORD size = sizeof value - 1;
        DWORD type = 0;
        LONG status = RegQueryValueExA(handle.get(), "Version", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        std::string version(value);
        std::transform(version.begin(), version.end(), version.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return !(version == "win95" || version == "win98" || version == "winme" || version == "win31" ||
                 version == "win30" || version == "win20");
    }
    return true;  // Wine's own default is an NT-family version
}

::testing::AssertionResult StartToMenu(App& app, const std::string& folder, const std::vector<std::string>& messages) {
    ::testing::AssertionResult started = app.Start(folder);
    if (!started) return started;
    const std::vector<std::string> passed_over{kIntroNotice};
    // Every message of start-up comes before the menu window shows.
    auto gone_by = [&app]() -> std::string {
        if (IsShown(app.Menu())) return "the menu window showed";
        return app.EndedText();
    };
    ::testing::AssertionResult seen = ExpectMessages(app.pid(), messages, kStartTimeout, passed_over, gone_by);
    if (!seen) return seen;
    ::testing::AssertionResult menu = app.WaitForMenu(kStartTimeout, passed_over);
    if (!menu) return menu;
    return NoDialogShowing(app.pid());
}

}  // namespace zorv_e2e
