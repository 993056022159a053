#include "video/video_files.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "common/text_config.h"

namespace zorv {
namespace {

bool IsScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Walks a file's text the way the formatted and line reads of a text stream do, so that the
// two kinds of read can follow one another as the file format mixes them.
class TextCursor {
public:
    explicit TextCursor(const std::string& text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }

    // The white space a "\n" or " " directive of formatted input skips.
    void SkipSpace() {
        while (at_ < text_.size() && IsScanSpace(text_[at_])) ++at_;
    }

    // "%d": white space, an optional sign, digits. On failure nothing after the white space
    // is used up and `value` is left alone. Values beyond the 32-bit range saturate.
    bool ScanInt(int* value) {
        SkipSpace();
        size_t p = at_;
        bool negative = false;
        if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) negative = text_[p++] == '-';
        if (p >= text_.size() || text_[p] < '0' || text_[p] > '9') return false;
        long long v = 0;
        for (; p < text_.size() && text_[p] >= '0' && text_[p] <= '9'; ++p) {
            if (v <= static_cast<long long>(INT_MAX) + 1) v = v * 10 + (text_[p] - '0');
        }
        if (negative) v = -v;
        if (v > INT_MAX) v = INT_MAX;
        if (v < INT_MIN) v = INT_MIN;
        *value = static_cast<int>(v);
        at_ = p;
        return true;
    }

    // One line as a line read with a 255-character limit returns it: up to and including its
    // '\n', or 255 characters of a longer line. False at the end of the text.
    bool ReadLine(std::string* line) {
        if (AtEnd()) return false;
        size_t newline = text_.find('\n', at_);
        size_t end = newline == std::string::npos ? text_.size() : newline + 1;
        if (end - at_ > kConfigLineLimit) end = at_ + kConfigLineLimit;
        line->assign(text_, at_, end - at_);
        at_ = end;
        return true;
    }

private:
    const std::string& text_;
    size_t at_ = 0;
};

template <size_t N>
void CopyCut(char (&field)[N], const std::string& value) {
    size_t n = value.size() < N - 1 ? value.size() : N - 1;
    std::memcpy(field, value.data(), n);
    field[n] = '\0';
}

// A text-mode read turns CR LF into LF.
std::string TextModeLines(const std::string& raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    return text;
}

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

VideoSettings& Video() {
    static VideoSettings settings;
    return settings;
}

DriverList& Drivers() {
    static DriverList list;
    return list;
}

void ParseVideoSettings(const std::string& text, VideoSettings* settings) {
    int* values[] = {&settings->customFlag, &settings->driverIndex, &settings->modeIndex, &settings->level};
    TextCursor in(text);
    for (int* value : values) {
        if (!in.ScanInt(value)) return;
        in.SkipSpace();
    }
}

std::string FormatVideoSettings(const VideoSettings& settings) {
    char text[64];
    std::snprintf(text, sizeof text, "%d\n%d\n%d\n%d\n", settings.customFlag, settings.driverIndex, settings.modeIndex,
                  settings.level);
    return text;
}

void ParseDriverList(const std::string& raw, DriverList* list) {
    const std::string text = TextModeLines(raw);
    TextCursor in(text);

    int declared = list->driverCount;
    if (in.ScanInt(&declared)) in.SkipSpace();
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
    if (in.ScanInt(&declaredModes)) in.SkipSpace();
    int modes = 0;
    for (int m = 0; m < declaredModes; ++m) {
        int width = 0, height = 0, depth = 0;
        if (!in.ScanInt(&width) || !in.ScanInt(&height) || !in.ScanInt(&depth)) break;
        in.SkipSpace();
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
    std::vector<std::string> entries;
    if (IsLocalDriver(driverIndex) && count > 0) {
        entries.push_back(FormatModeLabel(list->widths[0], list->heights[0], list->depths[0]));
    } else {
        for (int m = 0; m + 1 < count; ++m)
            entries.push_back(FormatModeLabel(list->widths[m], list->heights[m], list->depths[m]));
        std::string last = list->lastModeLabel;
        if (last.empty() && count > 0)
            last = FormatModeLabel(list->widths[count - 1], list->heights[count - 1], list->depths[count - 1]);
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
    enum class Move { StepDown, StepUp, Thumb, ToMin, ToMax };
    struct Rule {
        int code;
        Move move;
    };
    static constexpr Rule kRules[] = {
        {kScrollLineLeft, Move::StepDown}, {kScrollLineRight, Move::StepUp},    {kScrollPageLeft, Move::StepDown},
        {kScrollPageRight, Move::StepUp},  {kScrollThumbPosition, Move::Thumb}, {kScrollThumbTrack, Move::Thumb},
        {kScrollLeftEnd, Move::ToMin},     {kScrollRightEnd, Move::ToMax},
    };
    for (const Rule& rule : kRules) {
        if (rule.code != code) continue;
        switch (rule.move) {
        case Move::StepDown: return level < kLevelMin + kLevelStep ? kLevelMin : level - kLevelStep;
        case Move::StepUp: return level > kLevelMax - kLevelStep ? kLevelMax : level + kLevelStep;
        case Move::Thumb: return Clamp(static_cast<short>(thumbPosition), kLevelMin, kLevelMax);
        case Move::ToMin: return kLevelMin;
        case Move::ToMax: return kLevelMax;
        }
    }
    return level;
}

}  // namespace zorv
