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
#pragma once

#include <windows.h>

#include "input/controller_input.h"
#include "platform/handle_guards_win.h"

namespace zorv {

// An action handed to the window in front (wParam: the ControllerAction). A window of ours that
// handles it answers nonzero; the system's own dialogs answer 0.
constexpr UINT kControllerMessage = WM_APP + 26;

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

// The program's own command line that makes it the process that looks (LookForControllerAlone).
constexpr char kLookForControllerArgument[] = "/look-for-controller";
// The whole run of that process: looks at every joystick and ends with the number of the first
// that answered, plus one; with 0 when none did. It touches no file and makes no window.
int LookForControllerAlone();

// The controller the frame reads while a window of ours is in front. Only the thread that took
// the look's answer polls it.
class GameController {
public:
    // Takes what a look found: a controller counts from now, and what it holds already only after
    // it has been released.
    void Take(const FoundController& found);
    bool present() const { return found_.present; }
    // The next action, at the tick count `now`; kNone when none is due. A controller that stops
    // answering is gone until the next look. After a gap in the readings (the program was busy,
    // say with the game) the input starts over, as at a look.
    ControllerAction Poll(unsigned now);

private:
    FoundController found_;
    ControllerInput input_;
    unsigned lastPoll_ = 0;
};

// One look at a time, run from the interface thread: Start has the process of its own ask,
// Continue (now and then) takes its answer and opens a controller found on a thread of its own,
// and the end of the look is posted to a window. That thread holds only a record it shares with
// this object, so neither outlives the other's use of it; Stop (or the end of this object) makes
// sure that nothing is posted any more, and nobody waits for the thread or the process: a look
// that hangs in the system keeps them, not the program.
class ControllerSearch {
public:
    ControllerSearch() = default;
    ~ControllerSearch() { Stop(); }
    ControllerSearch(const ControllerSearch&) = delete;
    ControllerSearch& operator=(const ControllerSearch&) = delete;

    // Starts a look that posts `message` (no parameters) to `window` when it has ended; false
    // when one runs already.
    bool Start(HWND window, UINT message);
    // To be called now and then while asking(): goes on once the process has answered.
    void Continue();
    // The process of its own has not answered yet.
    bool asking() const { return static_cast<bool>(process_); }
    bool running() const;
    // The answer of the look that ended, taken once; false while none has ended since Start.
    bool TakeAnswer(FoundController* found);
    // Forgets the look that runs, if any: its end is posted nowhere. For the window's end.
    void Stop();

private:
    struct Shared;

    KernelHandle process_;
    Shared* shared_ = nullptr;
};

}  // namespace zorv
