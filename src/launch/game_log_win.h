// After a game run: read the game's result log, report a failed run, delete the log.
#pragma once

#include <windows.h>

namespace zorv {

// Judges ".\Info\Proc.log" and, unless it says the run was clean or there is no log, shows
// the game error report owned by the active window (or by none). Without a log, a game that
// crashed (`exitCode` an exception code) is reported with its code. Called once the game has ended.
void RunErrorLogStep(DWORD exitCode);

// Runs the game error report (template 307) modally with `text` (cut to the report's room); a
// null instance means this module. Its only way out is OK, and closing it deletes the log.
void ShowGameErrorReport(HWND owner, HINSTANCE instance, const char* text);

}  // namespace zorv
