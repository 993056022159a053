// The launch's three OpenGL driver dialogs, the video screen uses two of them: the check before
// the first game start, the guide to a driver that must be installed into the system (with its
// web page), and the confirmation of a driver the front-end installed itself.
#pragma once

#include <windows.h>

namespace zorv {

// The driver web page, handed to the browser without a scheme. The host is a stand-in under
// the reserved example domain until the real one is known.
inline constexpr char kDriverPageAddress[] = "www.zorv3d.example.com/zorv3d/drivers/index.html";

// Shown under the confirmation of an installed driver.
inline constexpr char kGlideNote[] =
    "But if there is an error relating 'glide??.dll', install 'Glide driver' first. You can find "
    "the driver in your Voodoo installation CD-ROM, or download it at 3dfx homepage";

inline constexpr char kNoBrowserMessage[] = "Web browsers not find";

// Room for the location text of the driver guide, terminating zero included.
constexpr int kDriverLocationSize = 100;

// Asks whether to start the game with the OpenGL driver as it is (template 289): true to start
// now, false to set the driver first (also when the dialog could not be shown). Only its two
// buttons end it.
bool ShowDriverCheckDialog(HWND owner, HINSTANCE instance);

// Shows where the driver files lie (template 284); `location` (may be null or empty) is cut to
// 99 characters. "Download" closes it and opens the driver web page in a browser.
void ShowDriverGuideDialog(HWND owner, HINSTANCE instance, const char* location);

// Confirms an installed driver, with the Glide note and the card maker's address (template 309).
void ShowDriverInstalledDialog(HWND owner, HINSTANCE instance);

// Tests replace the shell call to observe the browsers tried; null restores the shell's
// ShellExecuteA. The one process-wide setting of these dialogs.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetShellExecuteForTesting(ShellExecuteFunction function);

}  // namespace zorv
