#include "input/controller_win.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/app_win.h"
#include "platform/handle_guards_win.h"
#include "platform/library_function_win.h"
#include "platform/multimedia_win.h"

namespace zorv {
namespace {

// Readings further apart than this mean the program was not listening in between.
constexpr unsigned kReadingGapMs = 500;

// The interface numbers at most 16 joysticks.
constexpr UINT kMaxJoysticks = 16;

// A hat is asked for only where the capabilities list one: the driver of a controller without
// one may answer 0 for it, which is the hat held ahead.
bool Read(UINT joystick, bool hasHat, ControllerReading* reading) {
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS | (hasHat ? JOY_RETURNPOV : 0);
    if (JoyGetPosEx(joystick, &info) != JOYERR_NOERROR) return false;
    reading->buttons = info.dwButtons;
    reading->hat = hasHat ? info.dwPOV : kHatCentred;
    reading->x = info.dwXpos;
    reading->y = info.dwYpos;
    return true;
}

// The look's command line: this argument, then the id of the front-end's process.
constexpr char kLookArgument[] = "/look-for-controller";
// The exit code of a look ended at its deadline, by itself or by the front-end: none found. Any
// other code above kMaxJoysticks is an abnormal end, such as a fault in the driver.
constexpr DWORD kLookGaveUp = 0x100;

// Starts this program with `argument` by the wide calls, which the NT family has: a game folder
// named in letters outside the ANSI code page keeps its name. False where they are missing or
// stubs (the 95 family) or fail.
bool StartWide(const char* argument, PROCESS_INFORMATION* started) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const decltype(&::GetModuleFileNameW) moduleFileName = FindFunction(kernel, "GetModuleFileNameW");
    const decltype(&::CreateProcessW) createProcess = FindFunction(kernel, "CreateProcessW");
    wchar_t program[MAX_PATH];
    const DWORD length = moduleFileName && createProcess ? moduleFileName(nullptr, program, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) return false;
    // The argument is ASCII: each of its bytes is its letter.
    std::wstring commandLine = L"\"" + std::wstring(program, length) + L"\" ";
    commandLine.append(argument, argument + std::strlen(argument));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;  // no busy pointer for a process that shows nothing
    return createProcess(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, started) !=
           0;
}

// The same with the narrow calls, where every name is narrow anyway.
bool StartNarrow(const char* argument, PROCESS_INFORMATION* started) {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    char commandLine[MAX_PATH + 48];
    wsprintfA(commandLine, "\"%s\" %s", program, argument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    return CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, started) != 0;
}

// This program started again as the process that looks at every joystick (RunAsControllerLook);
// empty when it cannot be.
KernelHandle StartLookingAlone() {
    char argument[sizeof kLookArgument + 16];
    wsprintfA(argument, "%s %lu", kLookArgument, static_cast<unsigned long>(GetCurrentProcessId()));
    PROCESS_INFORMATION started = {};
    if (!StartWide(argument, &started) && !StartNarrow(argument, &started)) return KernelHandle();
    const KernelHandle thread(started.hThread);
    return KernelHandle(started.hProcess);
}

// The look's own deadline, on a thread of its own: the process ends when the front-end (the
// handle given, which the thread owns) has ended or the deadline has passed, whatever the driver
// is doing. Ended from outside, a process runs no library's detach code, which a hung driver
// might hold up.
DWORD WINAPI EndLookInTime(void* frontEnd) {
    const KernelHandle owner(static_cast<HANDLE>(frontEnd));
    if (!owner || WaitForSingleObject(owner.get(), kLookDeadlineMs) == WAIT_FAILED) Sleep(kLookDeadlineMs);
    TerminateProcess(GetCurrentProcess(), kLookGaveUp);
    return 0;
}

}  // namespace

FoundController LookForController(UINT first, UINT end) {
    FoundController found;
    UINT count = JoyGetNumDevs();
    if (count > kMaxJoysticks) count = kMaxJoysticks;
    if (end > count) end = count;
    for (UINT joystick = first; joystick < end; ++joystick) {
        if (!Read(joystick, false, &found.reading)) continue;
        JOYCAPSA caps = {};
        if (JoyGetDevCaps(joystick, &caps, sizeof caps) == JOYERR_NOERROR) {
            found.range = StickRange{caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax};
            found.hasHat = (caps.wCaps & JOYCAPS_HASPOV) != 0;
        }
        found.joystick = joystick;
        found.present = !found.hasHat || Read(joystick, true, &found.reading);
        return found;
    }
    return found;
}

bool RunAsControllerLook(const char* commandLine, int* exitCode) {
    const size_t length = sizeof kLookArgument - 1;
    if (!commandLine || std::strncmp(commandLine, kLookArgument, length) != 0) return false;
    if (commandLine[length] != 0 && commandLine[length] != ' ') return false;
    // A driver that faults ends this process without a box that would take the foreground.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const DWORD frontEnd = std::strtoul(commandLine + length, nullptr, 10);
    KernelHandle watched(frontEnd ? OpenProcess(SYNCHRONIZE, FALSE, frontEnd) : nullptr);
    DWORD id = 0;  // the 95 family refuses to start a thread without a place for its id
    const KernelHandle thread(CreateThread(nullptr, 0, EndLookInTime, watched.get(), 0, &id));
    if (thread) watched.release();  // the thread's now
    const FoundController found = LookForController(0, kMaxJoysticks);
    *exitCode = found.present ? static_cast<int>(found.joystick) + 1 : 0;
    return true;
}

void GameController::Take(const FoundController& found) {
    found_ = found;
    if (!found_.present) return;
    input_.Restart(found_.reading, found_.range);
    lastPoll_ = GetTickCount();
    failing_ = false;
}

ControllerAction GameController::Poll(unsigned now) {
    if (!found_.present) return ControllerAction::kNone;
    const bool gap = now - lastPoll_ > kReadingGapMs;
    lastPoll_ = now;
    ControllerReading reading;
    if (!Read(found_.joystick, found_.hasHat, &reading)) {
        if (!failing_ || gap) failingSince_ = now;
        failing_ = true;
        if (now - failingSince_ >= kReadFailureGraceMs) found_.present = false;
        return ControllerAction::kNone;
    }
    failing_ = false;
    if (gap) {
        input_.Restart(reading, found_.range);
        return ControllerAction::kNone;
    }
    return input_.Update(reading, now);
}

// What a look and its search share. It goes with the last of the two that lets go of it; the
// lock guards everything but the count.
struct ControllerSearch::Shared {
    Shared(HWND window, UINT message) : window(window), message(message) { InitializeCriticalSection(&lock); }
    ~Shared() { DeleteCriticalSection(&lock); }

    // The 95 family's InterlockedDecrement gives only the sign of the result, which is enough.
    void Release() {
        if (InterlockedDecrement(&references) == 0) delete this;
    }

    void End(const FoundController& found) {
        EnterCriticalSection(&lock);
        answer = found;
        ended = true;
        if (window) PostMessageA(window, message, 0, 0);
        LeaveCriticalSection(&lock);
    }

    // The thread that opens the joystick the process of its own found, loading the stack here.
    // It must never use what takes the runtime's locks: no function-local static, no exception,
    // no thread-local variable, no std::mutex. The 95 family cannot make the semaphore those
    // locks wait on (CreateSemaphoreW is a stub there): taking one the interface thread holds
    // fails at once, std::mutex then throws and the others run unguarded. Its own lock is a
    // critical section, and the multimedia library it may be the first to load is guarded by
    // atomics (platform/multimedia_win.cpp).
    static DWORD WINAPI Open(void* parameter) {
        Shared* shared = static_cast<Shared*>(parameter);
        shared->End(LookForController(shared->joystick, shared->joystick + 1));
        shared->Release();
        return 0;
    }

    CRITICAL_SECTION lock;
    LONG references = 1;  // the search's, and the thread's while it runs
    HWND window;          // null once the search no longer waits for the end
    UINT message;
    UINT joystick = 0;
    bool ended = false;
    FoundController answer;
};

bool ControllerSearch::Start(HWND window, UINT message) {
    if (running()) return false;
    Stop();
    shared_ = new Shared(window, message);
    abnormal_ = false;
    started_ = GetTickCount();
    process_ = StartLookingAlone();
    if (!process_) shared_->End(FoundController());
    return true;
}

void ControllerSearch::Continue(DWORD now) {
    if (!process_) return;
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        if (now - started_ < kLookDeadlineMs) return;
        TerminateProcess(process_.get(), kLookGaveUp);  // none found
        process_.reset();
        shared_->End(FoundController());
        return;
    }
    DWORD code = 0;
    const bool known = GetExitCodeProcess(process_.get(), &code) != 0;
    abnormal_ = known && code > kMaxJoysticks && code != kLookGaveUp;
    process_.reset();
    if (!known || code == 0 || code > kMaxJoysticks) {
        shared_->End(FoundController());
        return;
    }
    shared_->joystick = code - 1;
    InterlockedIncrement(&shared_->references);
    DWORD id = 0;  // the 95 family refuses to start a thread without a place for its id
    if (const KernelHandle thread{CreateThread(nullptr, 0, Shared::Open, shared_, 0, &id)}) return;
    InterlockedDecrement(&shared_->references);
    shared_->End(FoundController());
}

bool ControllerSearch::running() const {
    if (!shared_) return false;
    EnterCriticalSection(&shared_->lock);
    const bool ended = shared_->ended;
    LeaveCriticalSection(&shared_->lock);
    return !ended;
}

bool ControllerSearch::TakeAnswer(FoundController* found, bool* abnormal) {
    if (!shared_) return false;
    EnterCriticalSection(&shared_->lock);
    const bool ended = shared_->ended;
    if (ended) *found = shared_->answer;
    LeaveCriticalSection(&shared_->lock);
    *abnormal = ended && abnormal_;
    if (ended) Stop();
    return ended;
}

void ControllerSearch::Stop() {
    if (process_) TerminateProcess(process_.get(), kLookGaveUp);
    process_.reset();
    if (!shared_) return;
    EnterCriticalSection(&shared_->lock);
    shared_->window = nullptr;
    LeaveCriticalSection(&shared_->lock);
    shared_->Release();
    shared_ = nullptr;
}

namespace {

enum WatchTimer { kLookTimer = 1, kPollTimer = 2, kAskTimer = 3 };
// The look waits until start-up or the return to the front has drawn the screen and answers;
// one asked for while another runs waits as long again. While it asks its process of its own,
// the frame checks for the answer at the ask interval, also in the background.
constexpr UINT kLookDelayMs = 300;
constexpr UINT kPollIntervalMs = 30;
constexpr UINT kAskIntervalMs = 50;

}  // namespace

void ControllerWatch::Handle(HWND frame, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_ACTIVATEAPP: Activated(frame, wParam != FALSE); break;
    case WM_DEVICECHANGE: DevicesChanged(frame); break;
    case WM_TIMER: Timer(frame, wParam); break;
    case kControllerLookedMessage: Looked(frame); break;
    default: break;
    }
}

void ControllerWatch::LookSoon(HWND frame) {
    KillTimer(frame, kPollTimer);
    SetTimer(frame, kLookTimer, kLookDelayMs, nullptr);
}

// Read only while one is there and ours is in front.
void ControllerWatch::Activated(HWND frame, bool active) {
    inFront_ = active;
    if (!active) {
        KillTimer(frame, kLookTimer);
        KillTimer(frame, kPollTimer);
    } else if (controller_.present() && !devicesChanged_) {
        SetTimer(frame, kPollTimer, kPollIntervalMs, nullptr);
    } else if (!lookFailed_) {
        LookSoon(frame);
    }
}

void ControllerWatch::DevicesChanged(HWND frame) {
    devicesChanged_ = true;
    lookFailed_ = false;
    if (inFront_) LookSoon(frame);
}

void ControllerWatch::Timer(HWND frame, WPARAM timer) {
    if (timer == kLookTimer) {
        KillTimer(frame, kLookTimer);
        if (!search_.Start(frame, kControllerLookedMessage)) {
            SetTimer(frame, kLookTimer, kLookDelayMs, nullptr);
            return;
        }
        devicesChanged_ = false;
        if (search_.asking()) SetTimer(frame, kAskTimer, kAskIntervalMs, nullptr);
    } else if (timer == kAskTimer) {
        search_.Continue(GetTickCount());
        if (!search_.asking()) KillTimer(frame, kAskTimer);
    } else if (timer == kPollTimer) {
        const ControllerAction action = controller_.Poll(GetTickCount());
        if (!controller_.present()) {
            KillTimer(frame, kPollTimer);
        } else if (action != ControllerAction::kNone) {
            Deliver(frame, action);
        }
    }
}

// A controller found is read while a window of ours is in front. After an abnormal end, a look
// asked for meanwhile by a return to the front is dropped; one for a device change still runs.
void ControllerWatch::Looked(HWND frame) {
    FoundController found;
    bool abnormal = false;
    if (!search_.TakeAnswer(&found, &abnormal)) return;
    lookFailed_ = abnormal && !devicesChanged_;
    if (lookFailed_) KillTimer(frame, kLookTimer);
    controller_.Take(found);
    if (found.present && inFront_) SetTimer(frame, kPollTimer, kPollIntervalMs, nullptr);
}

// The action goes to the window in front: a settings screen, or for the frame the menu window.
// What no screen of ours takes, the system's own dialogs and message boxes among it, keeps the
// system's handling: button 1 presses the focused push button.
void ControllerWatch::Deliver(HWND frame, ControllerAction action) {
    HWND active = GetActiveWindow();
    if (active == frame) active = App().menu;
    if (!active || SendMessageA(active, kControllerMessage, static_cast<WPARAM>(action), 0)) return;
    HWND focus = GetFocus();
    if (action != ControllerAction::kActivate || !focus) return;
    if (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        SendMessageA(focus, BM_CLICK, 0, 0);
}

}  // namespace zorv
