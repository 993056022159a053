#include "common/text_config.h"

#include <climits>

namespace zorv {

const char kTokenDelimiters[] = " \t\n";

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

bool ParseLeadingInt(const char* text, int* value) {
    const char* p = text;
    while (*p && IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') {
        *value = 0;
        return false;
    }
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (v <= static_cast<long long>(INT_MAX) + 1) v = v * 10 + (*p - '0');
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    *value = static_cast<int>(v);
    return true;
}

int AtoiLike(const char* text) {
    int v = 0;
    ParseLeadingInt(text, &v);
    return v;
}

std::vector<std::string> SplitConfigLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t newline = text.find('\n', start);
        size_t end = newline == std::string::npos ? text.size() : newline + 1;
        if (end - start > kConfigLineLimit) end = start + kConfigLineLimit;
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
