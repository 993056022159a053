#include "driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace zorv_e2e {
namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 2000;

// A deadline measured on the tick counter, safe across its wrap.
class Deadline {
 public:
  explicit Deadline(DWORD ms) : start_(GetTickCount()), ms_(ms) {}
  bool Passed() const { return GetTickCount() - start_ >= ms_; }

 private:
  DWORD start_;
  DWORD ms_;
};

std::string EnvironmentValue(const char* name) {
  char buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
}

std::string ToBackslashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Names safe for a file: letters, digits, '-', '_' and '.'; everything else becomes '_'.
std::string FileNameSafe(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
  }
  return out;
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  size_t cut = path.find_last_of('\\');
  if (cut != std::string::npos && cut > 2) CreateFolders(path.substr(0, cut));
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RemoveTreeOnce(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(path, "*").c_str(), &found);
  bool all = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (IsDotEntry(found.cFileName)) continue;
      std::string child = JoinPath(path, found.cFileName);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        all = RemoveTreeOnce(child) && all;
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        all = DeleteFileA(child.c_str()) && all;
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryA(path.c_str()) && all;
}

struct WindowSearch {
  DWORD pid;
  const char* class_name;
  const char* title;
  std::vector<HWND>* out;
};

bool Matches(HWND window, const WindowSearch& search) {
  if (ProcessOf(window) != search.pid) return false;
  if (search.class_name && ClassOf(window) != search.class_name) return false;
  if (search.title) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);  // a top-level caption needs no message
    if (std::string(text) != search.title) return false;
  }
  return true;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  if (Matches(window, *search)) search->out->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectAnyOfProcess(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  if (ProcessOf(window) == search->pid) search->out->push_back(window);
  return TRUE;
}

std::string Describe(HWND window) {
  std::string text = "window class \"" + ClassOf(window) + "\" title \"" + TextOf(window) + "\"";
  if (ClassOf(window) == "#32770") {
    std::string body = MessageBoxText(window);
    if (!body.empty()) text += " text \"" + body + "\"";
  }
  return text;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool IsExtendedKey(UINT vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RCONTROL: case VK_RMENU:
    case VK_DIVIDE: case VK_NUMLOCK: case VK_SNAPSHOT: case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

// lParam of a key message: repeat count 1, scan code, extended flag, Alt context bit, and for a
// release the previous-state and transition bits.
LPARAM KeyLParam(UINT vk, bool alt, bool up) {
  UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF;
  DWORD value = 1u | (scan << 16);
  if (IsExtendedKey(vk)) value |= 1u << 24;
  if (alt) value |= 1u << 29;
  if (up) value |= (1u << 30) | (1u << 31);
  return static_cast<LPARAM>(value);
}

void TerminateDescendants(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  std::vector<DWORD> family{pid};
  PROCESSENTRY32 entry;
  // Grows the family until no process of the snapshot has a parent in it that is not yet listed.
  for (bool grew = true; grew;) {
    grew = false;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
      bool child = std::find(family.begin(), family.end(), entry.th32ParentProcessID) != family.end();
      bool known = std::find(family.begin(), family.end(), entry.th32ProcessID) != family.end();
      if (child && !known && entry.th32ProcessID != GetCurrentProcessId()) {
        family.push_back(entry.th32ProcessID);
        grew = true;
      }
    }
  }
  CloseHandle(snapshot);
  for (size_t i = 1; i < family.size(); ++i) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, family[i]);
    if (process) {
      TerminateProcess(process, 1);
      CloseHandle(process);
    }
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
  HANDLE file =
      CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  *path = name;
  return file;
}

// The driver's environment block with these variables added or replaced (names compared without
// regard to case, as the platform does).
std::vector<char> EnvironmentBlock(
    const std::vector<std::pair<std::string, std::string>>& changes) {
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
      return entry.size() >= prefix.size() &&
             _strnicmp(entry.c_str(), prefix.c_str(), prefix.size()) == 0;
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
    (void)number; (void)a; (void)b;
    return -1;
#endif
  }

  long saved_ = -1;
};

// ExpectMessages, also ending the wait for a box as soon as gone_by() says that it can no longer
// come; gone_by() returns what happened instead, or "".
template <typename GoneBy>
::testing::AssertionResult ExpectMessagesUntil(DWORD pid, const std::vector<std::string>& texts,
                                               DWORD timeout_each_ms,
                                               const std::vector<std::string>& passed_over,
                                               GoneBy gone_by) {
  for (size_t i = 0; i < texts.size();) {
    HWND box = nullptr;
    std::string instead;
    for (Deadline deadline(timeout_each_ms); !box && instead.empty(); Sleep(kPollMs)) {
      box = FindDialog(pid, kMessageCaption);
      if (box) break;
      instead = gone_by();
      if (instead.empty() && deadline.Passed()) {
        instead = "none appeared within " + std::to_string(timeout_each_ms) + " ms";
        if (HWND other = FindDialog(pid)) instead += "; showing instead: " + Describe(other);
      }
    }
    if (!box) {
      return ::testing::AssertionFailure() << "expected message box " << (i + 1) << " of "
                                           << texts.size() << " (\"" << texts[i] << "\"), but "
                                           << instead;
    }
    std::string text = MessageBoxText(box);
    bool dismissed = DismissMessageBox(box);
    if (text != texts[i] && Contains(passed_over, text) && dismissed) continue;
    if (text != texts[i]) {
      return ::testing::AssertionFailure() << "message box " << (i + 1) << " of " << texts.size()
                                           << " says \"" << text << "\", expected \"" << texts[i]
                                           << "\"";
    }
    if (!dismissed) {
      return ::testing::AssertionFailure() << "message box \"" << text << "\" did not go on OK";
    }
    ++i;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Paths and files

std::string GameFolder() {
  std::string from_environment = EnvironmentValue("ZORV_GAME_DIR");
  if (!from_environment.empty()) return ToBackslashes(from_environment);
#ifdef ZORV_E2E_GAME_DIR
  return ToBackslashes(ZORV_E2E_GAME_DIR);
#else
  return std::string();
#endif
}

std::string ArtifactsFolder() { return ToBackslashes(EnvironmentValue("ZORV_ARTIFACTS")); }

std::string JoinPath(const std::string& folder, const std::string& relative) {
  std::string left = ToBackslashes(folder);
  std::string right = ToBackslashes(relative);
  while (!left.empty() && left.back() == '\\') left.pop_back();
  while (right.size() >= 2 && right[0] == '.' && right[1] == '\\') right.erase(0, 2);
  while (!right.empty() && right.front() == '\\') right.erase(0, 1);
  if (left.empty()) return right;
  if (right.empty()) return left;
  return left + "\\" + right;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) {
    bytes->append(buffer, got);
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size());
  CloseHandle(file);
  return ok;
}

bool CopyTree(const std::string& from, const std::string& to) {
  if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(from, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool all = true;
  do {
    if (IsDotEntry(found.cFileName)) continue;
    std::string source = JoinPath(from, found.cFileName);
    std::string target = JoinPath(to, found.cFileName);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      all = CopyTree(source, target) && all;
    } else {
      all = CopyFileA(source.c_str(), target.c_str(), FALSE) && all;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return all;
}

bool RemoveTree(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  // A process that was just ended may hold its files for a moment longer.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (RemoveTreeOnce(path)) return true;
    Sleep(kPollMs);
  }
  return false;
}

ScratchFolder::ScratchFolder(const std::string& tag, const std::string& source) {
  char temp[MAX_PATH];
  DWORD n = GetTempPathA(sizeof temp, temp);
  if (n == 0 || n >= sizeof temp) {
    error_ = "GetTempPathA failed";
    return;
  }
  std::string base = JoinPath(temp, "zorv-e2e-" + FileNameSafe(tag) + "-" +
                                        std::to_string(GetCurrentProcessId()));
  for (int serial = 0; serial < 1000 && path_.empty(); ++serial) {
    std::string candidate = base + "-" + std::to_string(serial);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
  }
  if (path_.empty()) {
    error_ = "cannot create a scratch folder under " + std::string(temp);
    return;
  }
  if (source.empty() || GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
    error_ = "game folder \"" + source + "\" does not exist (build the target game first)";
    return;
  }
  if (!CopyTree(source, path_)) {
    error_ = "copying \"" + source + "\" to \"" + path_ + "\" failed";
    return;
  }
  ok_ = true;
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) RemoveTree(path_);
}

bool ScratchFolder::Exists(const std::string& relative) const { return FileExists(PathOf(relative)); }

bool ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
  return WriteWholeFile(PathOf(relative), bytes);
}

std::string ScratchFolder::Read(const std::string& relative, bool* found) const {
  std::string bytes;
  bool ok = ReadWholeFile(PathOf(relative), &bytes);
  if (found) *found = ok;
  return bytes;
}

bool ScratchFolder::Delete(const std::string& relative) const {
  std::string path = PathOf(relative);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != 0;
}

bool ScratchFolder::SetReadOnly(const std::string& relative, bool read_only) const {
  std::string path = PathOf(relative);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  attributes = read_only ? (attributes | FILE_ATTRIBUTE_READONLY)
                         : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

FileHold::FileHold(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileHold::~FileHold() {
  if (ok()) CloseHandle(file_);
}

// ---------------------------------------------------------------------------------------------
// Windows of another process

std::string ClassOf(HWND window) {
  char name[256] = {};
  int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    GetWindowTextA(window, text, sizeof text);
  }
  text[sizeof text - 1] = '\0';
  return text;
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientRectOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

bool IsShown(HWND window) { return window && IsWindow(window) && IsWindowVisible(window); }

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name, const char* title) {
  std::vector<HWND> found;
  WindowSearch search{pid, class_name, title, &found};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return found;
}

HWND FindWindowOfProcess(DWORD pid, const char* class_name, const char* title) {
  std::vector<HWND> found = TopLevelWindows(pid, class_name, title);
  if (!found.empty()) return found.front();
  std::vector<HWND> tops;
  WindowSearch any{pid, nullptr, nullptr, &tops};
  EnumWindows(CollectAnyOfProcess, reinterpret_cast<LPARAM>(&any));
  for (HWND top : tops) {
    WindowSearch search{pid, class_name, title, &found};
    EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&search));
    if (!found.empty()) return found.front();
  }
  return nullptr;
}

HWND FindDialog(DWORD pid, const char* title) {
  for (HWND dialog : TopLevelWindows(pid, "#32770", title)) {
    if (IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

HWND WaitForDialog(DWORD pid, const char* title, DWORD timeout_ms) {
  for (Deadline deadline(timeout_ms);; Sleep(kPollMs)) {
    if (HWND dialog = FindDialog(pid, title)) return dialog;
    if (deadline.Passed()) return nullptr;
  }
}

bool WaitUntilGone(HWND window, DWORD timeout_ms) {
  for (Deadline deadline(timeout_ms);; Sleep(kPollMs)) {
    if (!IsShown(window)) return true;
    if (deadline.Passed()) return false;
  }
}

std::string DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? TextOf(item) : std::string();
}

bool ClickDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  // Posted, not sent: a button that opens another modal window must not block the driver.
  return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

// ---------------------------------------------------------------------------------------------
// The program under test

App::~App() {
  if (IsRunning()) Kill();
  if (thread_) CloseHandle(thread_);
  if (process_) CloseHandle(process_);
  if (job_) CloseHandle(job_);
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  if (!output_path_.empty()) DeleteFileA(output_path_.c_str());
  if (trace_ != INVALID_HANDLE_VALUE) CloseHandle(trace_);
  if (!trace_path_.empty()) DeleteFileA(trace_path_.c_str());
}

void App::SetEnvironment(const std::string& name, const std::string& value) {
  environment_.emplace_back(name, value);
}

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
  std::string exe = JoinPath(folder, "zorv3d.exe");
  if (!FileExists(exe)) return ::testing::AssertionFailure() << exe << " does not exist";

  // Whatever the program starts (the game) belongs to the same job and ends with it, also when
  // this driver is killed by the test's time limit and its handles close.
  job_ = CreateJobObjectA(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
      CloseHandle(job_);
      job_ = nullptr;
    }
  }

  output_ = CreateInheritableTempFile("zor", &output_path_);
  if (output_ == INVALID_HANDLE_VALUE) {
    return ::testing::AssertionFailure() << "cannot create a file for the program's output";
  }
  std::unique_ptr<UnixStderrSwap> stderr_to_trace;
  if (trace_wanted_) {
    trace_ = CreateInheritableTempFile("zwt", &trace_path_);
    if (trace_ != INVALID_HANDLE_VALUE) stderr_to_trace.reset(new UnixStderrSwap(trace_));
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
  startup.hStdOutput = output_;
  startup.hStdError = output_;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + exe + "\"";
  std::vector<char> command_line(command.begin(), command.end());
  command_line.push_back('\0');
  BOOL created = CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                CREATE_SUSPENDED, environment.empty() ? nullptr : environment.data(),
                                folder.c_str(), &startup, &info);
  stderr_to_trace.reset();
  if (!created) {
    return ::testing::AssertionFailure() << "CreateProcessA(" << exe << ") failed, error "
                                         << GetLastError();
  }
  if (job_ && !AssignProcessToJobObject(job_, info.hProcess)) {
    CloseHandle(job_);
    job_ = nullptr;
  }
  process_ = info.hProcess;
  thread_ = info.hThread;
  pid_ = info.dwProcessId;
  ResumeThread(thread_);
  return ::testing::AssertionSuccess();
}

std::string App::Output() const {
  std::string bytes;
  if (!output_path_.empty()) ReadWholeFile(output_path_, &bytes);
  return bytes;
}

bool App::IsRunning() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

ExitResult App::WaitForExit(DWORD timeout_ms) {
  ExitResult result;
  if (!process_) return result;
  if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return result;
  result.ended = GetExitCodeProcess(process_, &result.code) != 0;
  return result;
}

void App::Kill() {
  if (!process_) return;
  TerminateDescendants(pid_);
  if (job_) TerminateJobObject(job_, 1);
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

HWND App::Frame() const { return pid_ ? FindWindowOfProcess(pid_, "Zorv3D") : nullptr; }

HWND App::Menu() const { return pid_ ? FindWindowOfProcess(pid_, "Zorv3D Child") : nullptr; }

::testing::AssertionResult App::WaitForMenu(DWORD timeout_ms,
                                            const std::vector<std::string>& passed_over) {
  if (!process_) return ::testing::AssertionFailure() << "the program was not started";
  for (Deadline deadline(timeout_ms);; Sleep(kPollMs)) {
    HWND menu = Menu();
    if (IsShown(menu)) return ::testing::AssertionSuccess();
    if (HWND dialog = FindDialog(pid_)) {
      if (TextOf(dialog) == kMessageCaption && Contains(passed_over, MessageBoxText(dialog))) {
        DismissMessageBox(dialog);
        continue;
      }
      return ::testing::AssertionFailure()
             << "waiting for the menu window, a dialog appeared: " << Describe(dialog);
    }
    if (!IsRunning()) {
      DWORD code = 0;
      GetExitCodeProcess(process_, &code);
      return ::testing::AssertionFailure()
             << "the program ended with code " << code << " before its menu window showed";
    }
    if (deadline.Passed()) {
      return ::testing::AssertionFailure()
             << "no visible menu window after " << timeout_ms << " ms (frame "
             << (Frame() ? "exists" : "missing") << ", menu window "
             << (menu ? "exists, hidden" : "missing") << ")";
    }
  }
}

bool ProgramSeesNtFamily() {
  const char* keys[] = {"Software\\Wine\\AppDefaults\\zorv3d.exe", "Software\\Wine"};
  for (const char* key : keys) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) continue;
    char value[64] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    LONG status = RegQueryValueExA(handle, "Version", nullptr, &type,
                                   reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    std::string version(value);
    std::transform(version.begin(), version.end(), version.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return !(version == "win95" || version == "win98" || version == "winme" ||
             version == "win31" || version == "win30" || version == "win20");
  }
  return true;  // Wine's own default is an NT-family version
}

::testing::AssertionResult StartToMenu(App& app, const std::string& folder,
                                       const std::vector<std::string>& messages) {
  ::testing::AssertionResult started = app.Start(folder);
  if (!started) return started;
  const std::vector<std::string> passed_over{kIntroNotice};
  // Every message of start-up comes before the menu window shows.
  auto gone_by = [&app]() -> std::string {
    if (IsShown(app.Menu())) return "the menu window showed";
    if (!app.IsRunning()) return "the program ended with code " + std::to_string(app.WaitForExit(0).code);
    return std::string();
  };
  ::testing::AssertionResult seen =
      ExpectMessagesUntil(app.pid(), messages, kStartTimeout, passed_over, gone_by);
  if (!seen) return seen;
  ::testing::AssertionResult menu = app.WaitForMenu(kStartTimeout, passed_over);
  if (!menu) return menu;
  return NoDialogShowing(app.pid());
}

// ---------------------------------------------------------------------------------------------
// Message boxes

HWND WaitForMessageBox(DWORD pid, DWORD timeout_ms) {
  return WaitForDialog(pid, kMessageCaption, timeout_ms);
}

std::string MessageBoxText(HWND box) {
  // The platform's message box keeps its text in a static control with id 0xFFFF.
  HWND text = GetDlgItem(box, 0xFFFF);
  if (text) return TextOf(text);
  std::string longest;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Static") {
      std::string candidate = TextOf(child);
      if (candidate.size() > longest.size()) longest = candidate;
    }
  }
  return longest;
}

bool DismissMessageBox(HWND box) {
  if (!ClickDialogButton(box, IDOK)) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return WaitUntilGone(box);
}

::testing::AssertionResult ExpectMessages(DWORD pid, const std::vector<std::string>& texts,
                                          DWORD timeout_each_ms,
                                          const std::vector<std::string>& passed_over) {
  return ExpectMessagesUntil(pid, texts, timeout_each_ms, passed_over, [] { return std::string(); });
}

::testing::AssertionResult NoDialogShowing(DWORD pid) {
  if (HWND dialog = FindDialog(pid)) {
    return ::testing::AssertionFailure() << "unexpected " << Describe(dialog);
  }
  return ::testing::AssertionSuccess();
}

// ---------------------------------------------------------------------------------------------
// Input

void MoveMouse(HWND window, int x, int y) {
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void ParkCursor() {
  // Wine moves the real pointer only when this process has its display driver loaded (asking
  // where the pointer is does that) and the position changes in the server's books, which a new
  // desktop starts at (0, 0) wherever the real pointer is: hence the question and the detour.
  POINT pointer{};
  GetCursorPos(&pointer);
  SetCursorPos(2, 2);
  SetCursorPos(0, 0);
}

void Click(HWND window, int x, int y) {
  MoveMouse(window, x, y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostKey(HWND window, UINT vk, bool alt) {
  if (alt) {
    PostMessageA(window, WM_SYSKEYDOWN, VK_MENU, KeyLParam(VK_MENU, true, false));
    PostMessageA(window, WM_SYSKEYDOWN, vk, KeyLParam(vk, true, false));
    PostMessageA(window, WM_SYSKEYUP, vk, KeyLParam(vk, true, true));
    PostMessageA(window, WM_KEYUP, VK_MENU, KeyLParam(VK_MENU, false, true));
  } else {
    PostMessageA(window, WM_KEYDOWN, vk, KeyLParam(vk, false, false));
    PostMessageA(window, WM_KEYUP, vk, KeyLParam(vk, false, true));
  }
}

void PostAltF4(HWND window) { PostKey(window, VK_F4, true); }

bool Activate(HWND window, DWORD timeout_ms) {
  for (Deadline deadline(timeout_ms);; Sleep(kPollMs)) {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    if (deadline.Passed()) return GetForegroundWindow() == window;
  }
}

bool SendKeys(const std::vector<WORD>& vks) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
  };
  for (WORD vk : vks) add(vk, false);
  for (auto it = vks.rbegin(); it != vks.rend(); ++it) add(*it, true);
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

// ---------------------------------------------------------------------------------------------
// Screen pixels

std::string ColorText(COLORREF c) {
  char text[40];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

ScreenCapture::ScreenCapture(const RECT& screen_rect) : rect_(screen_rect) {
  width_ = screen_rect.right - screen_rect.left;
  height_ = screen_rect.bottom - screen_rect.top;
  if (width_ <= 0 || height_ <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory && bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width_, height_, screen, rect_.left, rect_.top, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      const DWORD* source = static_cast<const DWORD*>(bits);
      pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
    }
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

ScreenCapture ScreenCapture::WholeScreen() {
  RECT all{0, 0, ScreenWidth(), ScreenHeight()};
  return ScreenCapture(all);
}

COLORREF ScreenCapture::Pixel(int x, int y) const {
  int col = x - rect_.left;
  int row = y - rect_.top;
  if (pixels_.empty() || col < 0 || row < 0 || col >= width_ || row >= height_) return CLR_INVALID;
  DWORD p = pixels_[static_cast<size_t>(row) * width_ + col];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool ScreenCapture::SaveBmp(const std::string& path) const {
  if (pixels_.empty()) return false;
  const int row_bytes = (width_ * 3 + 3) & ~3;
  const DWORD image_bytes = static_cast<DWORD>(row_bytes) * height_;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + image_bytes;
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = image_bytes;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  std::string row(row_bytes, '\0');
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];
      row[x * 3 + 0] = static_cast<char>(p & 0xFF);
      row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
    }
    bytes += row;
  }
  return WriteWholeFile(path, bytes);
}

void SaveArtifact(const RECT& screen_rect, const std::string& name) {
  std::string folder = ArtifactsFolder();
  if (folder.empty() || !CreateFolders(folder)) return;
  ScreenCapture(screen_rect).SaveBmp(JoinPath(folder, FileNameSafe(name) + ".bmp"));
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// ---------------------------------------------------------------------------------------------
// GameTest

namespace {
std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
}
}  // namespace

GameTest::GameTest() : folder_(new ScratchFolder(CurrentTestName())) {}

void GameTest::SetUp() {
  ASSERT_TRUE(folder_->ok()) << folder_->error();
  // Where an earlier test left the pointer, it could light a button as the menu shows.
  ParkCursor();
}

void GameTest::TearDown() {
  if (HasFailure()) {
    RECT all{0, 0, ScreenWidth(), ScreenHeight()};
    SaveArtifact(all, CurrentTestName() + ".failure");
  }
  app_.Kill();
}

}  // namespace zorv_e2e
