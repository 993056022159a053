#include "sounds.h"

#include <algorithm>
#include <cctype>

namespace zorv_e2e {
namespace {

int CountOccurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The name as Wine's debugstr_w writes it between the quotes: backslashes doubled.
std::string TraceSpelling(const std::string& name) {
    std::string out;
    for (char c : name) {
        out += c;
        if (c == '\\') out += '\\';
    }
    return out;
}

// The lines of a trace that name a sound call, for a failure message.
std::string SoundLines(const std::string& trace) {
    std::string lines;
    size_t start = 0;
    while (start < trace.size()) {
        size_t end = trace.find('\n', start);
        if (end == std::string::npos) end = trace.size();
        std::string line = trace.substr(start, end - start);
        if (line.find("MULTIMEDIA_PlaySound") != std::string::npos || line.find("SoundName=") != std::string::npos) {
            lines += line + "\n";
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string SoundCounts::Text() const {
    return std::to_string(hover) + " hover and " + std::to_string(click) + " click sounds (" + std::to_string(calls) +
           " sound calls, " + std::to_string(named) + " named)";
}

SoundCounts CountSounds(const std::string& trace) {
    SoundCounts counts;
    const std::string named = "proc_PlaySound SoundName=L\"";
    const std::string hover = Lower(named + TraceSpelling(kHoverSoundFile) + "\"");
    const std::string click = Lower(named + TraceSpelling(kClickSoundFile) + "\"");
    counts.calls = CountOccurrences(trace, "trace:winmm:MULTIMEDIA_PlaySound ");
    counts.named = CountOccurrences(trace, named);
    // Parts of the program spell the folder ".\Sound\": the same file on this platform.
    const std::string lower = Lower(trace);
    counts.hover = CountOccurrences(lower, hover);
    counts.click = CountOccurrences(lower, click);
    return counts;
}

::testing::AssertionResult SoundsPlayed(const App& app, int hover, int click, DWORD timeout_ms) {
    SoundCounts counts;
    bool as_expected = false;
    WaitFor(
        [&] {
            counts = CountSounds(app.WineTrace());
            bool settled = counts.calls == counts.named;
            as_expected = settled && counts.hover == hover && counts.click == click;
            // Counts only grow: one past the expected number is final.
            return as_expected || counts.hover > hover || counts.click > click;
        },
        timeout_ms);
    if (as_expected) return ::testing::AssertionSuccess();
    if (counts.calls == 0) {
        return ::testing::AssertionFailure() << "Wine's trace holds no sound call at all (expected " << hover
                                             << " hover and " << click << " click sounds)";
    }
    return ::testing::AssertionFailure() << "the trace shows " << counts.Text() << ", expected " << hover
                                         << " hover and " << click << " click sounds; its sound lines:\n"
                                         << SoundLines(app.WineTrace());
}

}  // namespace zorv_e2e
