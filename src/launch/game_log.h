// The game's result log, .\Info\proc.log: how its lines are judged, and the launch time stamp
// that the game-mode file carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zorv {

// Room for the report text, terminating zero included.
constexpr size_t kReportTextSize = 200;

// What the report dialog says when the game could not use the 3D card.
inline constexpr char kThreeDCardMessage[] =
    "Due to the installed 3D card not working properly, ZORV 3D is having trouble executing its "
    "program. Please check the video calibration for an appropriate 3D card.";
static_assert(sizeof kThreeDCardMessage <= kReportTextSize, "the message must fit the report text");

enum class LogLineVerdict {
    kCleanRun,     // code 0: the game ran properly; delete the log, report nothing
    kCardFailure,  // code 1: report the 3D-card message
    kPassOver,     // any other code, or no token at all: judge the next line
};

// Judges one piece of the log as the line reader returns it (at most 255 characters): its first
// token (delimiters " \t\n") converted the way atoi does. A token that does not start with a
// number is code 0; a line without any token is passed over.
LogLineVerdict JudgeLogLine(const char* piece);

struct LogOutcome {
    bool report = false;     // show the report dialog
    bool deleteNow = false;  // delete the log at once (the report dialog deletes it otherwise)
    std::string text;        // the report text: empty or the 3D-card message
};

// Judges a whole log given as its text, piece by piece, up to the first line of code 0 or 1.
// Reaching the end without one reports an empty text.
LogOutcome JudgeLog(const std::string& text);

// An exit code of 0xC0000000 and above is an exception code: the game crashed.
bool IsCrashExitCode(uint32_t exitCode);

// What the report says about a game that crashed without leaving a log: one plain sentence
// with the code in hexadecimal.
std::string CrashReportText(uint32_t exitCode);

// "month::day::hour::minute" in decimal without leading zeros, e.g. "1::9::8::7".
std::string LaunchTimeStamp(int month, int day, int hour, int minute);

}  // namespace zorv
