// The input room: the player's controls read into what the screens do with them.
//
// What a game controller's state means to the screens, decided without the system: the D-pad
// (point of view hat) and the left stick turned into four directions, the first two buttons
// into "activate" and "back", each taken once on its press, and a held direction repeated as a
// held arrow key is. Time comes in as milliseconds of a free-running tick counter, so that the
// rules can be proven with any clock.
#pragma once

namespace zorv {

// A reading of the controller, in the system's terms: the buttons as a bit set (bit 0 is
// button 1), the hat in hundredths of a degree clockwise from ahead (kHatCentred when
// released), the stick's two axes in the range the device reports.
constexpr unsigned kHatCentred = 0xFFFF;
struct ControllerReading {
    unsigned buttons = 0;
    unsigned hat = kHatCentred;
    unsigned x = 0, y = 0;
};

// The range of the stick's axes; the centre is halfway.
struct StickRange {
    unsigned xMin = 0, xMax = 0xFFFF, yMin = 0, yMax = 0xFFFF;
};

enum class ControllerAction { kNone, kUp, kDown, kLeft, kRight, kActivate, kBack };

// The direction of the hat, the nearest of the four; a diagonal counts as its vertical part,
// since the screens' lists run from top to bottom. kNone when centred or out of range.
ControllerAction HatDirection(unsigned hat);
// The direction of a stick pushed more than half way from the centre to an edge, along the
// axis pushed further; kNone inside that.
ControllerAction StickDirection(unsigned x, unsigned y, const StickRange& range);
// The hat when it points somewhere, else the stick.
ControllerAction ReadingDirection(const ControllerReading& reading, const StickRange& range);

// A held direction repeats after this long, then at this interval.
constexpr unsigned kRepeatDelayMs = 400;
constexpr unsigned kRepeatIntervalMs = 120;

// Turns successive readings into actions. Button 1 activates and button 2 goes back, each once
// when it goes down; a direction acts when it is taken up and then repeats. What is held when
// the input is (re)started counts only after it has been released: a button the player still
// holds when our window comes back does not act by itself.
class ControllerInput {
public:
    // Starts over from `reading`: everything it holds is ignored until released.
    void Restart(const ControllerReading& reading, const StickRange& range);
    // The next action after `reading` at `now`. Several inputs that arrive together come out one
    // per call, buttons first; kNone when nothing is due.
    ControllerAction Update(const ControllerReading& reading, unsigned now);

private:
    StickRange range_;
    unsigned held_ = 0;     // the buttons down at the last reading
    unsigned pending_ = 0;  // button actions taken but not handed out yet (bit 0 activate, bit 1 back)
    ControllerAction direction_ = ControllerAction::kNone;
    bool directionBlocked_ = false;  // held since the restart
    bool directionDue_ = false;      // taken up, not handed out yet
    unsigned nextRepeat_ = 0;
};

}  // namespace zorv
