// The state of the stand-in game controller, shared through a named file mapping between the
// test that moves it and the stand-in DirectInput library (dinput8.dll) that reports it. The
// library is put into a scratch game folder and chosen with WINEDLLOVERRIDES="dinput8=n": Wine's
// joystick interface (winmm) asks DirectInput for its devices, and so finds one controller
// whose axes, hat and buttons are whatever the test last wrote. Without the mapping, or with
// `attached` 0, there is no controller.
#ifndef ZORV_STANDIN_JOYSTICK_H
#define ZORV_STANDIN_JOYSTICK_H

namespace zorv_standin {

constexpr char kMappingName[] = "ZorvStandInJoystick";
constexpr int kButtonCount = 8;

// Axes from 0 to 65535, centred at 32767; the hat in hundredths of a degree, 0xFFFFFFFF
// centred; a button down when nonzero. `reads` counts the states the library has reported, so
// that a test can tell that what it wrote has been seen.
struct JoystickState {
    long reads;
    long attached;
    long x, y;
    unsigned long hat;
    unsigned char buttons[kButtonCount];
};

}  // namespace zorv_standin

#endif  // ZORV_STANDIN_JOYSTICK_H
