// After a game run: read the game's result log, report a failed run, delete the log.
#pragma once

#include <windows.h>

namespace zorv {

// Judges ".\Info\Proc.log" and, unless it says the run was clean or there is no log, shows
// the game error report owned by the active window (or by none). Without a log, a game that
// crashed (`exitCode` an exception code) is reported with its code. Called once the game has ended.
void RunErrorLogStep(DWORD exitCode);

// Reads the log named relative to the game folder. Returns 1 when a report is to be shown
// (the report text then holds what it says), 0 when the log is missing or reports a clean run,
// in which case ".\Info\proc.log" is deleted. Lines are judged in pieces of at most 255 characters.
int ReadGameLog(const char* relativeName);

// The text the next report shows: empty, or the 3D-card message.
const char* GameReportText();

// Runs the game error report (template 307) modally; a null instance means this module. Its
// only way out is OK, and closing it deletes the log.
void ShowGameErrorReport(HWND owner, HINSTANCE instance);

// Deletes a file named relative to the game folder; a failure is not reported.
void DeleteGameLog(const char* relativeName);

}  // namespace zorv
