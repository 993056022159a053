#include "audio/audio_settings.h"

#include <cstdio>
#include <vector>

#include "common/text_config.h"

namespace zorv {
namespace {

constexpr int kKeyLinesRead = 2;

// White space as scanf and atoi skip it.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

size_t SkipSpace(const std::string& text, size_t at) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    return at;
}

// The "%d" conversion at `at` (white space already skipped): an optional sign and at least one
// digit. Returns where the number ends, or `at` when there is none.
size_t ScanNumber(const std::string& text, size_t at, int* value) {
    size_t p = at;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
    size_t digits = p;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') ++p;
    if (p == digits) return at;
    *value = AtoiLike(text.substr(at, p - at).c_str());
    return p;
}

void ApplyKeyLine(AudioSettings& settings, const std::string& piece) {
    const std::string line(piece.c_str());
    const size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos) return;
    const size_t end = line.find_first_of(" \t", begin);
    const std::string key = line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    int* field = key == "Music" ? &settings.music : key == "Sound" ? &settings.sound : nullptr;
    if (!field || end == std::string::npos) return;

    // The value runs from after the one delimiter that ended the key, past any line ends, to
    // the next line end.
    size_t from = line.find_first_not_of('\n', end + 1);
    if (from == std::string::npos) return;
    const std::string value = line.substr(from, line.find('\n', from) - from);
    if (SkipSpace(value, 0) == value.size()) return;
    *field = AtoiLike(value.c_str());
}

}  // namespace

AudioSettings& Audio() {
    static AudioSettings settings;
    return settings;
}

void ParseAudioText(AudioSettings& settings, const std::string& raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }

    // "%d\n": the trailing white space after the number goes with it.
    size_t at = SkipSpace(text, 0);
    size_t numberEnd = ScanNumber(text, at, &settings.customFlag);
    if (numberEnd != at) at = SkipSpace(text, numberEnd);

    const std::vector<std::string> lines = SplitConfigLines(text.substr(at));
    for (size_t i = 0; i < lines.size() && i < kKeyLinesRead; ++i) ApplyKeyLine(settings, lines[i]);
}

std::string FormatAudioText(const AudioSettings& settings) {
    char text[64];
    std::snprintf(text, sizeof text, "%d\n%s %d\n%s %d\n", settings.customFlag, "Music", settings.music, "Sound",
                  settings.sound);
    return text;
}

}  // namespace zorv
