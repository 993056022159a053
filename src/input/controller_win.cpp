#include "input/controller_win.h"

#include "platform/handle_guards_win.h"
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

// This program started again as the process that looks at every joystick (LookForControllerAlone);
// null when it cannot be.
HANDLE StartLookingAlone() {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    char commandLine[MAX_PATH + sizeof kLookForControllerArgument + 4];
    wsprintfA(commandLine, "\"%s\" %s", program, kLookForControllerArgument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;  // no busy pointer for a process that shows nothing
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
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

int LookForControllerAlone() {
    const FoundController found = LookForController(0, kMaxJoysticks);
    return found.present ? static_cast<int>(found.joystick) + 1 : 0;
}

void GameController::Take(const FoundController& found) {
    found_ = found;
    if (!found_.present) return;
    input_.Restart(found_.reading, found_.range);
    lastPoll_ = GetTickCount();
}

ControllerAction GameController::Poll(unsigned now) {
    if (!found_.present) return ControllerAction::kNone;
    ControllerReading reading;
    if (!Read(found_.joystick, found_.hasHat, &reading)) {
        found_.present = false;
        return ControllerAction::kNone;
    }
    const bool gap = now - lastPoll_ > kReadingGapMs;
    lastPoll_ = now;
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
    process_.reset(StartLookingAlone());
    if (!process_) shared_->End(FoundController());
    return true;
}

void ControllerSearch::Continue() {
    if (!process_ || WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) return;
    DWORD code = 0;
    const bool found = GetExitCodeProcess(process_.get(), &code) && code != 0 && code <= kMaxJoysticks;
    process_.reset();
    if (!found) {
        shared_->End(FoundController());
        return;
    }
    shared_->joystick = code - 1;
    InterlockedIncrement(&shared_->references);
    DWORD id = 0;  // the 95 family refuses to start a thread without a place for its id
    if (HANDLE thread = CreateThread(nullptr, 0, Shared::Open, shared_, 0, &id)) {
        CloseHandle(thread);
        return;
    }
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

bool ControllerSearch::TakeAnswer(FoundController* found) {
    if (!shared_) return false;
    EnterCriticalSection(&shared_->lock);
    const bool ended = shared_->ended;
    if (ended) *found = shared_->answer;
    LeaveCriticalSection(&shared_->lock);
    if (ended) Stop();
    return ended;
}

void ControllerSearch::Stop() {
    process_.reset();
    if (!shared_) return;
    EnterCriticalSection(&shared_->lock);
    shared_->window = nullptr;
    LeaveCriticalSection(&shared_->lock);
    shared_->Release();
    shared_ = nullptr;
}

}  // namespace zorv
