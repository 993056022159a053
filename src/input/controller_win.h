// The input room: the player's controls read into what the screens do with them.
//
// A game controller through the system's joystick interface, which every Windows from 95 has:
// the first joystick that answers, read into the actions of controller_input.h.
//
// The look for one is slow where the interface lists the devices (under Wine the first look takes
// a good part of a second, and Windows may wait for a missing device), and it loads the system's
// joystick stack, which stays for the life of the process. So this program, started again as a
// process of its own, asks the interface first, and the interface thread only checks now and
// then whether it has answered. Only for a controller found does the program load the stack
// itself, on a thread of its own. A player without a controller never carries the stack, and
// drawing and input never wait for a look.
//
// The joystick driver runs inside that process and is trusted with nothing: a look that faults
// shows no crash box and is not started again until the system's devices change, a look that
// does not answer within kLookDeadlineMs is ended and counts as none found, and no look outlives
// the front-end.
#pragma once

#include <windows.h>

#include "input/controller_input.h"
#include "platform/handle_guards_win.h"

namespace zorv {

// An action handed to the window in front (wParam: the ControllerAction). A screen of ours that
// took it answers nonzero; an answer of 0 (the system's own dialogs and message boxes answer so)
// leaves the action to the system's own handling: button 1 presses the focused push button.
constexpr UINT kControllerMessage = WM_APP + 26;
// Posted to the frame when a look has ended; for ControllerWatch::Looked.
constexpr UINT kControllerLookedMessage = WM_APP + 28;

// How long a look may take, from its start to its answer.
constexpr DWORD kLookDeadlineMs = 5000;
// How long the reads of a controller must fail in a row before it counts as gone.
constexpr unsigned kReadFailureGraceMs = 1000;

// What a look found: the first joystick that answered, its stick's range, whether it has a hat
// (point of view), and its state then.
struct FoundController {
    bool present = false;
    UINT joystick = 0;
    StickRange range;
    bool hasHat = false;
    ControllerReading reading;
};

// Looks at the joysticks from `first` up to `end` (at most the number the interface has) on the
// calling thread, which may wait as long as the interface does.
FoundController LookForController(UINT first, UINT end);

// When `commandLine` (WinMain's) is the one ControllerWatch starts this program with, runs this
// process as the look: it sets an error mode without crash boxes before any driver is touched,
// ends itself at the look's deadline or when the front-end that started it has ended, and puts
// its answer into *exitCode. False for any other command line. It touches no file and makes no
// window.
bool RunAsControllerLook(const char* commandLine, int* exitCode);

// The controller the frame reads while a window of ours is in front. Only the thread that took
// the look's answer polls it.
class GameController {
public:
    // Takes what a look found: a controller counts from now, and what it holds already only after
    // it has been released.
    void Take(const FoundController& found);
    bool present() const { return found_.present; }
    // The next action, at the tick count `now`; kNone when none is due. A read that fails changes
    // nothing; a controller whose reads have failed for kReadFailureGraceMs in a row is gone until
    // the next look. After a gap in the readings (the program was busy, say with the game, or in
    // the background) the input starts over, as at a look.
    ControllerAction Poll(unsigned now);

private:
    FoundController found_;
    ControllerInput input_;
    unsigned lastPoll_ = 0;
    bool failing_ = false;
    unsigned failingSince_ = 0;
};

// One look at a time, run from the interface thread: Start has the process of its own ask,
// Continue (now and then) takes its answer and opens a controller found on a thread of its own,
// and the end of the look is posted to a window. That thread holds only a record it shares with
// this object, so neither outlives the other's use of it; Stop (or the end of this object) ends
// the process if it still runs and makes sure that nothing is posted any more. Nobody waits for
// the thread: an opening that hangs in the system keeps it, not the program.
class ControllerSearch {
public:
    ControllerSearch() = default;
    ~ControllerSearch() { Stop(); }
    ControllerSearch(const ControllerSearch&) = delete;
    ControllerSearch& operator=(const ControllerSearch&) = delete;

    // Starts a look that posts `message` (no parameters) to `window` when it has ended; false
    // when one runs already.
    bool Start(HWND window, UINT message);
    // To be called now and then while asking(), with the tick count: goes on once the process has
    // answered, and ends it as none found at the deadline.
    void Continue(DWORD now);
    // The process of its own has not answered yet.
    bool asking() const { return static_cast<bool>(process_); }
    bool running() const;
    // The answer of the look that ended, taken once, and whether its process ended abnormally
    // (a fault in the driver); false while none has ended since Start.
    bool TakeAnswer(FoundController* found, bool* abnormal);
    // Forgets the look that runs, if any, and ends its process: its end is posted nowhere.
    void Stop();

private:
    struct Shared;

    KernelHandle process_;
    DWORD started_ = 0;
    bool abnormal_ = false;
    Shared* shared_ = nullptr;
};

// The controller as the frame has it: the look, the polling and the delivery of its actions to
// the window in front. The frame hands it its activation, device-change, timer and look-ended
// messages; it uses the frame's timers 1 to 3.
//
// A controller is looked for when none is present and a window of ours comes to the front, and
// whenever the system's devices change; one that still reads is only read again when the front-
// end comes back. After a look that ended abnormally, none runs until the devices change.
class ControllerWatch {
public:
    // WM_ACTIVATEAPP, WM_DEVICECHANGE, WM_TIMER and kControllerLookedMessage of `frame`, with
    // their wParam; any other message is not the watch's.
    void Handle(HWND frame, UINT message, WPARAM wParam);

private:
    void Activated(HWND frame, bool active);
    void DevicesChanged(HWND frame);
    void Timer(HWND frame, WPARAM timer);
    void Looked(HWND frame);
    void LookSoon(HWND frame);
    void Deliver(HWND frame, ControllerAction action);

    GameController controller_;
    ControllerSearch search_;
    bool inFront_ = false;
    bool devicesChanged_ = false;
    bool lookFailed_ = false;  // the last look ended abnormally, and the devices have not changed since
};

}  // namespace zorv
