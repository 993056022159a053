#include "video/video_files.h"

#include <cstdio>

#include "settings/text_config.h"

namespace zorv {
namespace {

// Walks a file's text the way the formatted and line reads of a text stream do, so that the
// two kinds of read can follow one another as the file format mixes them.
class TextCursor {
public:
    explicit TextCursor(const std::string& text) : text_(text) {}

    // "%d" and "%d\n" (see ScanInt); on failure nothing after the white space is used up.
    bool ScanInt(int* value) { return zorv::ScanInt(text_, &at_, value); }
    bool ScanIntLine(int* value) { return zorv::ScanIntLine(text_, &at_, value); }

    // One line as a line read with a 255-character limit returns it. False at the end of the text.
    bool ReadLine(std::string* line) {
        if (at_ >= text_.size()) return false;
        const size_t end = ConfigLineEnd(text_, at_);
        line->assign(text_, at_, end - at_);
        at_ = end;
        return true;
    }

private:
    const std::string& text_;
    size_t at_ = 0;
};

// The line as the C string a line read hands on, without its line end.
std::string LineText(const std::string& line) {
    std::string text(line.c_str());
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// A "#D" or "#N" line: when its first token is `marker`, the text after the one character
// that ended the token becomes `field`; otherwise the field keeps its text.
template <size_t N>
void ApplyMarkerLine(const std::string& line, const char* marker, char (&field)[N]) {
    const std::string text = LineText(line);
    size_t end = 0;
    if (FirstToken(text, &end) != marker) return;
    CopyCut(field, end < text.size() ? text.substr(end + 1) : std::string());
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

void ParseVideoSettings(const std::string& text, VideoSettings* settings) {
    int* values[] = {&settings->customFlag, &settings->driverIndex, &settings->modeIndex, &settings->level};
    TextCursor in(text);
    for (int* value : values) {
        if (!in.ScanIntLine(value)) return;
    }
}

std::string FormatVideoSettings(const VideoSettings& settings) {
    char text[64];
    std::snprintf(text, sizeof text, "%d\n%d\n%d\n%d\n", settings.customFlag, settings.driverIndex, settings.modeIndex,
                  settings.level);
    return text;
}

void ParseDriverList(const std::string& raw, DriverList* list) {
    const std::string text = TextModeRead(raw);
    TextCursor in(text);

    int declared = list->driverCount;
    in.ScanIntLine(&declared);
    int drivers = 0;
    std::string line;
    for (int i = 0; i < declared && in.ReadLine(&line); ++i) {
        // Entries past the table are read so that the modes after them are found.
        const bool kept = i < kMaxDrivers;
        if (kept) {
            ApplyMarkerLine(line, "#D", list->directories[i]);
            ++drivers;
        }
        if (!in.ReadLine(&line)) break;
        if (kept) ApplyMarkerLine(line, "#N", list->names[i]);
    }
    list->driverCount = drivers;

    int declaredModes = list->modeCount;
    in.ScanIntLine(&declaredModes);
    int modes = 0;
    for (int m = 0; m < declaredModes; ++m) {
        int width = 0, height = 0, depth = 0;
        if (!in.ScanInt(&width) || !in.ScanInt(&height) || !in.ScanIntLine(&depth)) break;
        if (m < kMaxModes) {
            list->widths[m] = width;
            list->heights[m] = height;
            list->depths[m] = depth;
            ++modes;
        }
    }
    list->modeCount = modes;

    if (in.ReadLine(&line)) CopyCut(list->lastModeLabel, LineText(line));
}

std::string FormatModeLabel(int width, int height, int depth) {
    char label[kModeLabelSize];
    std::snprintf(label, sizeof label, "%d %s %d  %d", width, "X", height, depth);
    return label;
}

bool IsLocalDriver(int driverIndex) { return driverIndex >= 1 && driverIndex <= 3; }

bool IsSystemInstalledDriver(int driverIndex) { return driverIndex > 3; }

std::vector<std::string> FillModeLabels(DriverList* list, int driverIndex) {
    const int count = Clamp(list->modeCount, 0, kMaxModes);
    auto label = [list](int m) { return FormatModeLabel(list->widths[m], list->heights[m], list->depths[m]); };
    std::vector<std::string> entries;
    if (IsLocalDriver(driverIndex) && count > 0) {
        entries.push_back(label(0));
    } else {
        for (int m = 0; m + 1 < count; ++m) entries.push_back(label(m));
        std::string last = list->lastModeLabel;
        if (last.empty() && count > 0) last = label(count - 1);
        entries.push_back(last);
    }
    for (size_t i = 0; i < entries.size(); ++i) CopyCut(list->modeLabels[i], entries[i]);
    return entries;
}

VideoSelection SelectionToShow(const VideoSettings& settings) {
    if (settings.customFlag == 0) return VideoSelection{kLevelShownByDefault, 0, 0};
    return VideoSelection{settings.level, settings.driverIndex,
                          IsLocalDriver(settings.driverIndex) ? 0 : settings.modeIndex};
}

void AdoptShownChoice(VideoSettings* settings) {
    if (settings->customFlag == 0) settings->level = kLevelShownByDefault;
    settings->customFlag = 1;
}

int NextCalibrationLevel(int level, int code, int thumbPosition) {
    return ScrolledValue(level, code, static_cast<short>(thumbPosition), ScrollRange{kLevelMin, kLevelMax, kLevelStep});
}

}  // namespace zorv
