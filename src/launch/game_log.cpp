#include "launch/game_log.h"

#include <cstdio>
#include <vector>

#include "settings/text_config.h"

namespace zorv {

LogLineVerdict JudgeLogLine(const char* piece) {
    std::string token = FirstToken(piece ? piece : "", nullptr);
    if (token.empty()) return LogLineVerdict::kPassOver;
    switch (AtoiLike(token.c_str())) {
    case 0: return LogLineVerdict::kCleanRun;
    case 1: return LogLineVerdict::kCardFailure;
    default: return LogLineVerdict::kPassOver;
    }
}

LogOutcome JudgeLog(const std::string& text) {
    LogOutcome outcome;
    for (const std::string& piece : SplitConfigLines(text)) {
        switch (JudgeLogLine(piece.c_str())) {
        case LogLineVerdict::kCleanRun: outcome.deleteNow = true; return outcome;
        case LogLineVerdict::kCardFailure:
            outcome.report = true;
            outcome.text = kThreeDCardMessage;
            return outcome;
        case LogLineVerdict::kPassOver: break;
        }
    }
    outcome.report = true;
    return outcome;
}

bool IsCrashExitCode(uint32_t exitCode) { return exitCode >= 0xC0000000u; }

std::string CrashReportText(uint32_t exitCode) {
    char text[96];
    std::snprintf(text, sizeof text, "The game stopped unexpectedly (error code 0x%08X).",
                  static_cast<unsigned>(exitCode));
    return text;
}

std::string LaunchTimeStamp(int month, int day, int hour, int minute) {
    char text[128];
    std::snprintf(text, sizeof text, "%d::%d::%d::%d", month, day, hour, minute);
    return text;
}

}  // namespace zorv
