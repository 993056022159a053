// Feeds whole logs to the game log's judge. The verdict must say one thing (delete a clean
// run's log, or report with an empty text or the card message), agree with judging the pieces
// one by one, and every report text, the crash sentence for any code included, must fit the
// report's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "launch/game_log.h"
#include "settings/text_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const LogOutcome outcome = JudgeLog(text);
    if (outcome.report == outcome.deleteNow) std::abort();
    if (!outcome.text.empty() && outcome.text != kThreeDCardMessage) std::abort();
    if (outcome.text.size() + 1 > kReportTextSize) std::abort();

    LogLineVerdict first = LogLineVerdict::kPassOver;
    for (const std::string& piece : SplitConfigLines(text)) {
        if (piece.size() > kConfigLineLimit) std::abort();
        if ((first = JudgeLogLine(piece.c_str())) != LogLineVerdict::kPassOver) break;
    }
    if (outcome.deleteNow != (first == LogLineVerdict::kCleanRun)) std::abort();
    if ((outcome.text == kThreeDCardMessage) != (first == LogLineVerdict::kCardFailure)) std::abort();

    uint32_t code = 0;
    std::memcpy(&code, data, size < sizeof code ? size : sizeof code);
    if (CrashReportText(code).size() + 1 > kReportTextSize) std::abort();
    return 0;
}
