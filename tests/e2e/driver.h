// The end-to-end driver: plays the player against the real zorv3d.exe running under Wine.
//
// Everything works across processes: the program under test is started with CreateProcessA in a
// scratch copy of the game folder (app.h, files.h), its windows are found by process id and
// class name (window_search.h, message_boxes.h), input is given by moving the real cursor and
// sending mouse and key messages (input.h), and what the player sees is read back from the
// screen (screen_pixels.h, button_view.h, menu_view.h) or from Wine's trace (sounds.h). Every
// wait has a deadline and goes through WaitFor (wait.h). Control and resource ids come from the
// program's resources/resource_ids.h, button places and pictures from its screen tables.
//
// A test file includes this header and derives its fixture from GameTest (game_test.h).
#ifndef ZORV_E2E_DRIVER_H
#define ZORV_E2E_DRIVER_H

#include "app.h"
#include "button_view.h"
#include "files.h"
#include "game_files.h"
#include "game_test.h"
#include "input.h"
#include "menu_view.h"
#include "message_boxes.h"
#include "resources/resource_ids.h"
#include "screen_pixels.h"
#include "sounds.h"
#include "wait.h"
#include "window_search.h"

#endif  // ZORV_E2E_DRIVER_H
