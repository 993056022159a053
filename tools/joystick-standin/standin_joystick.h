// The state of the stand-in game controller, shared through a named file mapping between the
// test that moves it and the stand-in DirectInput library (dinput8.dll) that reports it. Wine's
// joystick interface (winmm) asks DirectInput for its devices, and so finds one controller
// whose axes, hat and buttons are whatever the test last wrote. Without the mapping, or with
// `attached` 0, there is no controller.
//
// How a test chooses it: it copies the library into the scratch game folder the program runs
// from, and sets dinput8 to "native,builtin" under the Wine prefix's
// HKCU\Software\Wine\AppDefaults\zorv3d.exe\DllOverrides, so that Wine takes the copy found in
// the program's folder before its own (tests/e2e/input.h, StandInController). The environment's
// WINEDLLOVERRIDES would not do: Wine takes a process's load order from the Unix environment it
// inherits, not from the block CreateProcess is given.
#ifndef ZORV_STANDIN_JOYSTICK_H
#define ZORV_STANDIN_JOYSTICK_H

namespace zorv_standin {

constexpr char kMappingName[] = "ZorvStandInJoystick";
constexpr int kButtonCount = 8;

// Axes from 0 to 65535, centred at 32767; the hat in hundredths of a degree, 0xFFFFFFFF
// centred; a button down when nonzero. `reads` counts the states the library has reported and
// `reader` is the thread that asked last, so that a test can tell that what it wrote has been
// seen, and by whom. A `hatless` controller has no hat: the library lists none and leaves its
// place in a state at 0, as some drivers of such controllers do. `strays` counts the loads of
// the library under another name than dinput8.dll.
//
// The front-end's look for a controller runs in a process of its own (zorv3d.exe
// /look-for-controller): `looks` counts the loads of the library there, `lookProcess` and
// `lookErrorMode` are the last one's process id and its error mode at the load. With `lookMode`
// kLookFaults or kLookHangs the library, asked for DirectInput in such a process, faults (an
// access violation) or never answers; in any other process it works as ever.
constexpr long kLookFaults = 1, kLookHangs = 2;
struct JoystickState {
    long reads;
    long attached;
    long x, y;
    unsigned long hat;
    unsigned char buttons[kButtonCount];
    long hatless;
    unsigned long reader;
    long strays;
    long lookMode;
    long looks;
    unsigned long lookProcess;
    unsigned long lookErrorMode;
};

}  // namespace zorv_standin

#endif  // ZORV_STANDIN_JOYSTICK_H
