// The end-to-end driver: plays the player against the real zorv3d.exe running under Wine.
//
// Everything here works across processes: the program under test is started with
// CreateProcessA in a scratch copy of the game folder, its windows are found by process id and
// class name, input is given by moving the real cursor and posting mouse and key messages, and
// what the player sees is read back from the screen (GetDC(NULL)), since PrintWindow cannot
// reach into another process. Every wait has a deadline; nothing here blocks on the program.
#ifndef ZORV_E2E_DRIVER_H
#define ZORV_E2E_DRIVER_H

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorv_e2e {

// Default deadlines, in milliseconds. Generous: a loaded CI machine under Wine is slow.
constexpr DWORD kStartTimeout = 20000;   // from process start to a visible menu window
constexpr DWORD kWindowTimeout = 10000;  // for one window or message box to appear or vanish
constexpr DWORD kExitTimeout = 10000;    // for the process to end after it was told to

// ---------------------------------------------------------------------------------------------
// Paths and files

// The built game folder as a Windows path (Wine maps Z: to the Unix root). The environment
// variable ZORV_GAME_DIR overrides the path compiled in.
std::string GameFolder();
// The folder that screenshots are saved into (ZORV_ARTIFACTS), or "" when unset.
std::string ArtifactsFolder();

// "a/b" and "a\\b" joined with a single backslash; slashes become backslashes.
std::string JoinPath(const std::string& folder, const std::string& relative);

bool FileExists(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string* bytes);
// Binary write; replaces the file.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Copies a folder with everything below it; the destination is created.
bool CopyTree(const std::string& from, const std::string& to);
// Deletes a folder with everything below it, read-only files included.
bool RemoveTree(const std::string& path);

// A fresh copy of the game folder under the temporary folder, deleted with everything in it
// when the guard goes. Relative names are relative to the copy, like the program's own.
class ScratchFolder {
 public:
  // tag names the folder for whoever looks into %TEMP% after a crash; it need not be unique.
  explicit ScratchFolder(const std::string& tag, const std::string& source = GameFolder());
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // False when the copy failed; error() then says why.
  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& relative) const { return JoinPath(path_, relative); }

  bool Exists(const std::string& relative) const;
  bool Write(const std::string& relative, const std::string& bytes) const;
  // The file's bytes, or "" with *found false (when found is given) if it cannot be read.
  std::string Read(const std::string& relative, bool* found = nullptr) const;
  bool Delete(const std::string& relative) const;
  bool SetReadOnly(const std::string& relative, bool read_only = true) const;

 private:
  std::string path_;
  std::string error_;
  bool ok_ = false;
};

// Keeps a file open with no sharing, so that no process can open, replace or delete it while the
// hold lasts. Under Wine run as root the read-only attribute stops no writer, so this is the way
// to make a file that the program cannot write. The file is created if it does not exist.
class FileHold {
 public:
  explicit FileHold(const std::string& path);
  ~FileHold();
  FileHold(const FileHold&) = delete;
  FileHold& operator=(const FileHold&) = delete;
  bool ok() const { return file_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE file_;
};

// ---------------------------------------------------------------------------------------------
// Windows of another process

std::string ClassOf(HWND window);
// The window's text through WM_GETTEXT (with a timeout), so that it works for controls too.
std::string TextOf(HWND window);
RECT WindowRectOf(HWND window);  // screen coordinates
RECT ClientRectOf(HWND window);  // client coordinates (left and top 0)
bool IsShown(HWND window);       // exists and is visible
DWORD ProcessOf(HWND window);

// Top-level windows of a process, in z-order. class_name and title filter when not null.
std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name = nullptr,
                                  const char* title = nullptr);
// A window of the process with this class, searched among top-level windows and then among the
// children of every top-level window. Null when there is none.
HWND FindWindowOfProcess(DWORD pid, const char* class_name, const char* title = nullptr);

// A dialog of the process (class "#32770"), visible, optionally with this exact title.
HWND FindDialog(DWORD pid, const char* title = nullptr);
HWND WaitForDialog(DWORD pid, const char* title = nullptr, DWORD timeout_ms = kWindowTimeout);
// Waits until the window no longer exists or is hidden.
bool WaitUntilGone(HWND window, DWORD timeout_ms = kWindowTimeout);
std::string DialogItemText(HWND dialog, int id);
// Posts BM_CLICK to the dialog's button with this id; false when there is no such button.
bool ClickDialogButton(HWND dialog, int id);

// ---------------------------------------------------------------------------------------------
// The program under test

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
  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  bool IsRunning() const;
  ExitResult WaitForExit(DWORD timeout_ms = kExitTimeout);
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
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  HANDLE job_ = nullptr;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  std::string output_path_;
  HANDLE trace_ = INVALID_HANDLE_VALUE;
  std::string trace_path_;
  bool trace_wanted_ = false;
  std::vector<std::pair<std::string, std::string>> environment_;
  DWORD pid_ = 0;
};

// The notice that the intro movie step shows on the Windows NT family before it plays.
constexpr char kIntroNotice[] = "Starting AVI";

// True when the program sees a Windows NT family system under this Wine prefix: Wine's default.
// HKCU\Software\Wine\AppDefaults\zorv3d.exe "Version" = win95, win98 or winme makes it 9x.
bool ProgramSeesNtFamily();

// Starts the program in folder and gets it to a visible menu window, expecting exactly these
// message boxes in this order on the way (each dismissed with OK). The intro movie's notice is
// passed over wherever it comes: tests of start-up itself check it in place.
::testing::AssertionResult StartToMenu(App& app, const std::string& folder,
                                       const std::vector<std::string>& messages = {});

// ---------------------------------------------------------------------------------------------
// Message boxes: caption "Message", no owner, one OK button, class "#32770".

constexpr char kMessageCaption[] = "Message";

// Waits for the program's message box; null on timeout.
HWND WaitForMessageBox(DWORD pid, DWORD timeout_ms = kWindowTimeout);
std::string MessageBoxText(HWND box);
// Presses OK and waits until the box is gone.
bool DismissMessageBox(HWND box);
// Waits for a message box, checks its text, dismisses it; in order, for each text. Boxes whose
// text is in passed_over are dismissed without counting, wherever they come.
::testing::AssertionResult ExpectMessages(DWORD pid, const std::vector<std::string>& texts,
                                          DWORD timeout_each_ms = kWindowTimeout,
                                          const std::vector<std::string>& passed_over = {});
// No dialog of the process is showing.
::testing::AssertionResult NoDialogShowing(DWORD pid);

// ---------------------------------------------------------------------------------------------
// Input

// Puts the real cursor on the window's client point (the main menu reads GetCursorPos) and
// posts WM_MOUSEMOVE with that client position.
void MoveMouse(HWND window, int x, int y);
// Puts the real pointer at the screen's top-left corner, away from the menu window, so that a
// program started next does not find it where the last test left it.
void ParkCursor();
// Moves there, then posts WM_LBUTTONDOWN and WM_LBUTTONUP with MK_LBUTTON.
void Click(HWND window, int x, int y);
// Posts WM_KEYDOWN and WM_KEYUP (WM_SYSKEYDOWN/UP with the context bit when alt is set) with
// the key's real scan code in lParam.
void PostKey(HWND window, UINT vk, bool alt = false);
// Alt+F4 as the window would get it from the keyboard: WM_SYSKEYDOWN VK_F4 with the Alt context
// bit, which the default window procedure turns into SC_CLOSE.
void PostAltF4(HWND window);
// Makes the window the foreground window; true when it became so.
bool Activate(HWND window, DWORD timeout_ms = 2000);
// Real keyboard input through SendInput: the keys go down in order and come up in reverse.
// Goes to whichever window has the focus.
bool SendKeys(const std::vector<WORD>& vks);

// ---------------------------------------------------------------------------------------------
// Screen pixels

inline bool IsBlack(COLORREF c) { return (c & 0xFFFFFF) == 0; }
std::string ColorText(COLORREF c);  // "RGB(r,g,b)"

// One pixel of the screen, through the screen's device context.
COLORREF ScreenPixel(int x, int y);

// A copy of a screen rectangle, taken at once with BitBlt from the screen's device context.
class ScreenCapture {
 public:
  explicit ScreenCapture(const RECT& screen_rect);
  static ScreenCapture WholeScreen();
  bool ok() const { return !pixels_.empty(); }
  const RECT& rect() const { return rect_; }
  // Screen coordinates; must lie inside rect().
  COLORREF Pixel(int x, int y) const;
  // Writes a 24-bit bottom-up BMP.
  bool SaveBmp(const std::string& path) const;

 private:
  RECT rect_{};
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;  // top-down, 0x00RRGGBB
};

// Saves the rectangle as <ZORV_ARTIFACTS>\<name>.bmp; does nothing when ZORV_ARTIFACTS is unset.
void SaveArtifact(const RECT& screen_rect, const std::string& name);

// Screen size as the program computes it.
int ScreenWidth();
int ScreenHeight();

// ---------------------------------------------------------------------------------------------
// A test of one program run: a scratch game folder and the program guard. On failure the whole
// screen is saved as an artefact named after the test before the program is ended.
class GameTest : public ::testing::Test {
 protected:
  GameTest();
  void SetUp() override;
  void TearDown() override;

  // The scratch folder; change files in it before starting the program.
  ScratchFolder& folder() { return *folder_; }
  App& app() { return app_; }

  // Starts the program and gets it to its menu window through exactly these message boxes.
  ::testing::AssertionResult StartToMenu(const std::vector<std::string>& messages = {}) {
    return zorv_e2e::StartToMenu(app_, folder_->path(), messages);
  }

 private:
  std::unique_ptr<ScratchFolder> folder_;
  App app_;
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_DRIVER_H
