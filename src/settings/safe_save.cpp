#include "settings/safe_save.h"

namespace zorv {

std::string SaveTempPath(const std::string& path) {
    std::string temp = path;
    if (temp.empty()) return "~";
    temp.back() = temp.back() == '~' ? '$' : '~';
    return temp;
}

std::string TextModeBytes(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

}  // namespace zorv
