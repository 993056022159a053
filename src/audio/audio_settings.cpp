#include "audio/audio_settings.h"

#include <cstdio>
#include <vector>

#include "settings/text_config.h"

namespace zorv {
namespace {

constexpr int kKeyLinesRead = 2;

void ApplyKeyLine(AudioSettings& settings, const std::string& piece) {
    const std::string line(piece.c_str());
    size_t end = 0;
    const std::string key = FirstToken(line, &end, " \t");
    int* field = key == "Music" ? &settings.music : key == "Sound" ? &settings.sound : nullptr;
    if (!field || end >= line.size()) return;

    // The value runs from after the one delimiter that ended the key, past any line ends, to
    // the next line end.
    size_t from = line.find_first_not_of('\n', end + 1);
    if (from == std::string::npos) return;
    const std::string value = line.substr(from, line.find('\n', from) - from);
    if (SkipScanSpace(value, 0) == value.size()) return;
    *field = AtoiLike(value.c_str());
}

}  // namespace

void ParseAudioText(AudioSettings& settings, const std::string& raw) {
    const std::string text = TextModeRead(raw);
    size_t at = 0;
    ScanIntLine(text, &at, &settings.customFlag);
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
