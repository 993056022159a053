// How the game's result log is judged, and the launch time stamp.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launch/game_log.h"

using namespace zorv;

namespace {
enum Expect { kNoReportDelete, kReportEmpty, kReportCard };
}

TEST(GameLog, EachLogGivesItsReport) {
    const std::string longWord(300, 'x');
    const std::string filler(254, ' ');
    // clang-format off
    struct Case { const char* name; std::string log; Expect expect; } cases[] = {
        {"clean run", "0\n", kNoReportDelete},
        {"clean run with CR", "0\r\n", kNoReportDelete},
        {"unknown then card", "5\n1\n", kReportCard},
        {"unknown only", "5\n", kReportEmpty},
        {"empty log", "", kReportEmpty},
        {"a word counts as 0", "word\n1\n", kNoReportDelete},
        {"1 followed by letters", "1abc\n", kReportCard},
        {"blanks and tab before", " \t 1\n", kReportCard},
        {"negative code", "-1\n", kReportEmpty},
        {"plus sign", "+1", kReportCard},
        {"only the first token counts", "5 0 1\n", kReportEmpty},
        {"empty line passed over", "\n1\n", kReportCard},
        {"blank line passed over", " \t \n0\n", kNoReportDelete},
        {"first of 0 and 1 wins", "7\n0\n1\n", kNoReportDelete},
        {"card before clean run", "1\n0\n", kReportCard},
        // A line of 300 characters reaches the reader as a piece of 255 and one of 45.
        {"long word then 1 in next piece", longWord + "1\n", kNoReportDelete},
        {"5 and blanks fill a piece, 1 starts the next", "5" + filler + "1\n", kReportCard},
        {"blanks and a word fill a piece", std::string(254, ' ') + "x1\n", kNoReportDelete},
        {"blank piece then 1 at piece start", std::string(255, ' ') + "1\n", kReportCard},
        {"long unknown line then card", "5" + std::string(300, '9') + " \n1\n", kReportCard},
    };
    // clang-format on
    for (const Case& c : cases) {
        LogOutcome out = JudgeLog(c.log);
        EXPECT_EQ(out.report, c.expect != kNoReportDelete) << c.name;
        EXPECT_EQ(out.deleteNow, c.expect == kNoReportDelete) << c.name;
        EXPECT_EQ(out.text, c.expect == kReportCard ? kThreeDCardMessage : "") << c.name;
    }
}

TEST(GameLog, PieceVerdicts) {
    // clang-format off
    struct Case { const char* piece; LogLineVerdict verdict; } cases[] = {
        {"0", LogLineVerdict::kCleanRun},     {"abc", LogLineVerdict::kCleanRun},
        {"00", LogLineVerdict::kCleanRun},    {"1", LogLineVerdict::kCardFailure},
        {"01\n", LogLineVerdict::kCardFailure}, {"2", LogLineVerdict::kPassOver},
        {"", LogLineVerdict::kPassOver},      {"\n", LogLineVerdict::kPassOver},
        {"4294967297", LogLineVerdict::kPassOver},  // saturates, never wraps round to 1
        {nullptr, LogLineVerdict::kPassOver},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(JudgeLogLine(c.piece), c.verdict) << (c.piece ? c.piece : "null");
}

TEST(GameLog, CardMessageIsTheOneLineText) {
    EXPECT_EQ(std::strlen(kThreeDCardMessage), 162u);
    EXPECT_EQ(std::string(kThreeDCardMessage).find('\n'), std::string::npos);
    EXPECT_EQ(std::string(kThreeDCardMessage).rfind("Due to the installed 3D card", 0), 0u);
}

TEST(LaunchStamp, MonthDayHourMinuteWithoutLeadingZeros) {
    // clang-format off
    struct Case { int month, day, hour, minute; const char* text; } cases[] = {
        {1, 9, 8, 7, "1::9::8::7"},
        {12, 31, 23, 59, "12::31::23::59"},
        {10, 1, 0, 0, "10::1::0::0"},
        {6, 15, 12, 5, "6::15::12::5"},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(LaunchTimeStamp(c.month, c.day, c.hour, c.minute), c.text);
}

TEST(GameLog, CrashCodesFromC0000000AreReportedInHexInOneSentence) {
    // clang-format off
    struct Case { uint32_t code; bool crash; } cases[] = {
        {0, false}, {1, false}, {259, false}, {0xBFFFFFFFu, false},
        {0xC0000000u, true}, {0xC0000005u, true}, {0xFFFFFFFFu, true},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(IsCrashExitCode(c.code), c.crash) << c.code;
    EXPECT_EQ(CrashReportText(0xC0000005u), "The game stopped unexpectedly (error code 0xC0000005).");
    EXPECT_EQ(CrashReportText(0xC000001Du), "The game stopped unexpectedly (error code 0xC000001D).");
    EXPECT_LT(CrashReportText(0xFFFFFFFFu).size() + 1, kReportTextSize);
}
