// After a game run: read the game's result log, report a failed run, delete the log.
#pragma once

#include <windows.h>

#include <string>

namespace zorv {

// Judges ".\Info\Proc.log" and, unless it says the run was clean or there is no log, shows
// the game error report owned by the active window (or by none). Without a log, a game that
// crashed (`exitCode` an exception code) is reported with its code. Called once the game has ended.
void RunErrorLogStep(DWORD exitCode);

// Reads the log named relative to the game folder. True when a report is to be shown (`report`
// then holds what it says), false when the log is missing or reports a clean run, in which case
// ".\Info\proc.log" is deleted. Lines are judged in pieces of at most 255 characters.
bool ReadGameLog(const char* relativeName, std::string* report);

// Runs the game error report (template 307) modally with `text` (cut to the report's room); a
// null instance means this module. Its only way out is OK, and closing it deletes the log.
void ShowGameErrorReport(HWND owner, HINSTANCE instance, const char* text);

// Deletes a file named relative to the game folder; a failure is not reported, and a name
// whose full path does not fit deletes nothing.
void DeleteGameLog(const char* relativeName);

}  // namespace zorv
