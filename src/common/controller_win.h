// A game controller through the system's joystick interface, which every Windows from 95 has:
// the first joystick that answers, read into the actions of controller_input.h. WINMM is loaded
// on demand, so a program that never looks for a controller does not load it for this.
#pragma once

#include <windows.h>

#include "common/controller_input.h"

namespace zorv {

// An action handed to the window in front (wParam: the ControllerAction). A window of ours that
// handles it answers nonzero; the system's own dialogs answer 0.
constexpr UINT kControllerMessage = WM_APP + 26;

class GameController {
public:
    // Looks for a controller among the system's joysticks. Under Wine the first look lists the
    // devices, which takes a good part of a second, and Windows may wait for a missing device:
    // look only when one can have appeared. True when one answers; what it holds now counts
    // only after release.
    bool Look();
    bool present() const { return present_; }
    // The next action, at the tick count `now`; kNone when none is due. A controller that stops
    // answering is gone until the next Look. After a gap in the readings (the program was
    // busy, say with the game) the input starts over, as at a Look.
    ControllerAction Poll(unsigned now);

private:
    bool Read(ControllerReading* reading) const;

    bool present_ = false;
    UINT joystick_ = 0;
    StickRange range_;
    ControllerInput input_;
    unsigned lastPoll_ = 0;
};

}  // namespace zorv
