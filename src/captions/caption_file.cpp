#include "captions/caption_file.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "settings/text_config.h"

namespace zorv {
namespace {

// 1/72 as the font routine has always held it; slightly above 1/72, so that sizes that are
// whole multiples of a pixel do not lose one to truncation.
constexpr float kPointsPerInchInverse = 0.013888889f;

int ClampToInt(double value) {
    if (!(value > -static_cast<double>(INT_MAX))) return std::isnan(value) ? 0 : -INT_MAX;
    if (value > static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);  // truncates toward zero
}

// `value` cut to the field at a character's end: the bytes of a double-byte character are kept
// together, so a cut never leaves a lone lead byte for the system to draw as a stray mark.
template <size_t N>
void CopyWhole(char (&field)[N], const std::string& value, LeadByteRule leadByte) {
    size_t kept = 0;
    while (kept < value.size()) {
        const size_t next = kept + (leadByte && leadByte(static_cast<unsigned char>(value[kept])) ? 2 : 1);
        if (next > value.size() || next > N - 1) break;
        kept = next;
    }
    CopyCut(field, value.substr(0, kept));
}

}  // namespace

CaptionTable& Captions() {
    static CaptionTable table;
    return table;
}

void ApplyCaptionLine(CaptionTable& table, const std::string& rawLine, LeadByteRule leadByte) {
    // The reader hands the line on as a C string, so a NUL byte ends it; the line end and a
    // CR before it are not part of any value.
    std::string line(rawLine.c_str());
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();

    size_t keyEnd = 0;
    const std::string key = FirstToken(line, &keyEnd);
    if (key.empty()) return;

    size_t begin = line.find_first_not_of('\t', keyEnd + 1);
    if (begin == std::string::npos) begin = line.size();
    const std::string value = line.substr(begin, line.find('\t', begin) - begin);

    if (key == "FONT:") CopyWhole(table.face, value, leadByte);
    else if (key == "FHeight:") table.height = AtoiLike(value.c_str());
    else if (key == "FWidth:") table.width = AtoiLike(value.c_str());
    else if (key == "a0:") CopyWhole(table.audio[0], value, leadByte);
    else if (key == "a1:") CopyWhole(table.audio[1], value, leadByte);
    else if (key == "v0:") CopyWhole(table.video[0], value, leadByte);
    else if (key == "v1:") CopyWhole(table.video[1], value, leadByte);
    else if (key == "v2:") CopyWhole(table.video[2], value, leadByte);
    else if (key == "wm:") CopyWhole(table.explanation, value, leadByte);
}

void ParseCaptionText(CaptionTable& table, const std::string& wholeText, LeadByteRule leadByte) {
    table.face[0] = '\0';
    for (const std::string& line : SplitConfigLines(TextModeRead(wholeText))) ApplyCaptionLine(table, line, leadByte);
}

int CaptionPointToDevice(int tenths, int pixelsPerInch) {
    // Computed in 64-bit integers and double so that no size overflows. While |tenths x pixels
    // per inch| stays below 2^24 (fonts up to about 23,000 pixels tall) the truncated result is
    // the same as that of the single-precision product.
    const int64_t product = static_cast<int64_t>(tenths) * pixelsPerInch;
    return ClampToInt(static_cast<double>(product) * static_cast<double>(kPointsPerInchInverse));
}

int CaptionHeightFromDevice(int y) {
    const double magnitude = std::fabs(static_cast<double>(y));
    return -static_cast<int>(magnitude * 0.1 + 0.5);
}

bool CaptionWidthFromDevice(int x, int y, int averageCharWidth, int* lfWidth) {
    if (x == 0 || y == 0) return false;
    const int64_t ax = x < 0 ? -static_cast<int64_t>(x) : x;
    const int64_t ay = y < 0 ? -static_cast<int64_t>(y) : y;
    const int64_t width = ax * averageCharWidth / ay;
    *lfWidth = width > INT_MAX ? INT_MAX : width < -INT_MAX ? -INT_MAX : static_cast<int>(width);
    return true;
}

int CaptionDrawingHeight(const CaptionTable& table) {
    constexpr int kHalfPoint = 5;
    return table.height > INT_MAX - kHalfPoint ? INT_MAX : table.height + kHalfPoint;
}

}  // namespace zorv
