#include "common/controller_win.h"

#include "common/multimedia_win.h"

namespace zorv {
namespace {

// Readings further apart than this mean the program was not listening in between.
constexpr unsigned kReadingGapMs = 500;

// The interface numbers at most 16 joysticks.
constexpr UINT kMaxJoysticks = 16;

}  // namespace

bool GameController::Read(ControllerReading* reading) const {
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNPOV | JOY_RETURNBUTTONS;
    if (JoyGetPosEx(joystick_, &info) != JOYERR_NOERROR) return false;
    reading->buttons = info.dwButtons;
    reading->hat = info.dwPOV;
    reading->x = info.dwXpos;
    reading->y = info.dwYpos;
    return true;
}

bool GameController::Look() {
    present_ = false;
    UINT count = JoyGetNumDevs();
    if (count > kMaxJoysticks) count = kMaxJoysticks;
    ControllerReading reading;
    for (joystick_ = 0; joystick_ < count; ++joystick_) {
        if (Read(&reading)) {
            present_ = true;
            break;
        }
    }
    if (!present_) return false;
    JOYCAPSA caps = {};
    range_ = StickRange();
    if (JoyGetDevCaps(joystick_, &caps, sizeof caps) == JOYERR_NOERROR)
        range_ = StickRange{caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax};
    input_.Restart(reading, range_);
    lastPoll_ = GetTickCount();
    return true;
}

ControllerAction GameController::Poll(unsigned now) {
    if (!present_) return ControllerAction::kNone;
    ControllerReading reading;
    if (!Read(&reading)) {
        present_ = false;
        return ControllerAction::kNone;
    }
    const bool gap = now - lastPoll_ > kReadingGapMs;
    lastPoll_ = now;
    if (gap) {
        input_.Restart(reading, range_);
        return ControllerAction::kNone;
    }
    return input_.Update(reading, now);
}

}  // namespace zorv
