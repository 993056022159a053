#include "input/controller_input.h"

namespace zorv {
namespace {

constexpr unsigned kButton1 = 1u << 0;
constexpr unsigned kButton2 = 1u << 1;
constexpr unsigned kPendingActivate = 1u << 0;
constexpr unsigned kPendingBack = 1u << 1;

long long Magnitude(long long v) { return v < 0 ? -v : v; }

// True when `now` has reached `when` on a counter that wraps.
bool Reached(unsigned now, unsigned when) { return static_cast<int>(now - when) >= 0; }

}  // namespace

ControllerAction HatDirection(unsigned hat) {
    if (hat >= 36000) return ControllerAction::kNone;
    if (hat <= 4500 || hat >= 31500) return ControllerAction::kUp;
    if (hat >= 13500 && hat <= 22500) return ControllerAction::kDown;
    return hat < 18000 ? ControllerAction::kRight : ControllerAction::kLeft;
}

ControllerAction StickDirection(unsigned x, unsigned y, const StickRange& range) {
    // Past half way: more than a quarter of the whole range from the middle.
    const long long dx = 4 * (2 * static_cast<long long>(x) - range.xMin - range.xMax);
    const long long dy = 4 * (2 * static_cast<long long>(y) - range.yMin - range.yMax);
    const long long spanX = 2 * (static_cast<long long>(range.xMax) - range.xMin);
    const long long spanY = 2 * (static_cast<long long>(range.yMax) - range.yMin);
    const bool pastX = spanX > 0 && Magnitude(dx) > spanX;
    const bool pastY = spanY > 0 && Magnitude(dy) > spanY;
    if (!pastX && !pastY) return ControllerAction::kNone;
    // The axis pushed further, each measured against its own range.
    const bool vertical = pastY && (!pastX || Magnitude(dy) * spanX >= Magnitude(dx) * spanY);
    if (vertical) return dy < 0 ? ControllerAction::kUp : ControllerAction::kDown;
    return dx < 0 ? ControllerAction::kLeft : ControllerAction::kRight;
}

ControllerAction ReadingDirection(const ControllerReading& reading, const StickRange& range) {
    const ControllerAction hat = HatDirection(reading.hat);
    return hat != ControllerAction::kNone ? hat : StickDirection(reading.x, reading.y, range);
}

void ControllerInput::Restart(const ControllerReading& reading, const StickRange& range) {
    range_ = range;
    held_ = reading.buttons;
    pending_ = 0;
    direction_ = ReadingDirection(reading, range_);
    directionBlocked_ = direction_ != ControllerAction::kNone;
    directionDue_ = false;
}

ControllerAction ControllerInput::Update(const ControllerReading& reading, unsigned now) {
    const unsigned pressed = reading.buttons & ~held_;
    held_ = reading.buttons;
    if (pressed & kButton1) pending_ |= kPendingActivate;
    if (pressed & kButton2) pending_ |= kPendingBack;

    const ControllerAction direction = ReadingDirection(reading, range_);
    if (direction != direction_) {
        direction_ = direction;
        directionBlocked_ = false;
        directionDue_ = direction != ControllerAction::kNone;
        nextRepeat_ = now + kRepeatDelayMs;
    } else if (direction != ControllerAction::kNone && !directionBlocked_ && !directionDue_ &&
               Reached(now, nextRepeat_)) {
        directionDue_ = true;
        nextRepeat_ = now + kRepeatIntervalMs;
    }

    if (pending_ & kPendingActivate) {
        pending_ &= ~kPendingActivate;
        return ControllerAction::kActivate;
    }
    if (pending_ & kPendingBack) {
        pending_ &= ~kPendingBack;
        return ControllerAction::kBack;
    }
    if (directionDue_) {
        directionDue_ = false;
        return direction_;
    }
    return ControllerAction::kNone;
}

}  // namespace zorv
