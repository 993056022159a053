#include "settings/text_config.h"

#include <climits>

namespace zorv {

namespace {

bool IsScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

const char kTokenDelimiters[] = " \t\n";

size_t SkipScanSpace(const std::string& text, size_t at) {
    while (at < text.size() && IsScanSpace(text[at])) ++at;
    return at;
}

bool ScanInt(const std::string& text, size_t* at, int* value) {
    size_t p = SkipScanSpace(text, *at);
    *at = p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
    long long v = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
        if (v <= static_cast<long long>(INT_MAX) + 1) v = v * 10 + (text[p] - '0');
    }
    if (negative) v = -v;
    *value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    *at = p;
    return true;
}

bool ScanIntLine(const std::string& text, size_t* at, int* value) {
    if (!ScanInt(text, at, value)) return false;
    *at = SkipScanSpace(text, *at);
    return true;
}

bool ParseLeadingInt(const char* text, int* value) {
    size_t at = 0;
    if (ScanInt(text, &at, value)) return true;
    *value = 0;
    return false;
}

int AtoiLike(const char* text) {
    int v = 0;
    ParseLeadingInt(text, &v);
    return v;
}

std::string TextModeRead(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

size_t ConfigLineEnd(const std::string& text, size_t start) {
    const size_t newline = text.find('\n', start);
    const size_t end = newline == std::string::npos ? text.size() : newline + 1;
    return end - start > kConfigLineLimit ? start + kConfigLineLimit : end;
}

std::vector<std::string> SplitConfigLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = ConfigLineEnd(text, start);
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string FirstToken(const std::string& line, size_t* end, const char* delimiters) {
    size_t begin = line.find_first_not_of(delimiters);
    if (begin == std::string::npos) {
        if (end) *end = line.size();
        return std::string();
    }
    size_t stop = line.find_first_of(delimiters, begin);
    if (stop == std::string::npos) stop = line.size();
    if (end) *end = stop;
    return line.substr(begin, stop - begin);
}

}  // namespace zorv
