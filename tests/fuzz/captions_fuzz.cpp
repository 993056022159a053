// Feeds whole files to the caption reader, starting from a table whose fields are filled to
// the brim, and checks that every text field still ends within its buffer.
#include "captions/caption_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

template <size_t N>
void Fill(char (&field)[N]) {
    std::memset(field, 'Z', N - 1);
    field[N - 1] = '\0';
}

template <size_t N>
void CheckTerminated(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    CaptionTable table;
    Fill(table.face);
    for (auto& caption : table.audio) Fill(caption);
    for (auto& caption : table.video) Fill(caption);
    Fill(table.explanation);

    // Half the inputs read as a double-byte code page's, whose every high byte leads.
    const LeadByteRule highLeads = [](unsigned char b) { return b >= 0x80; };
    ParseCaptionText(table, std::string(reinterpret_cast<const char*>(data), size), size % 2 ? highLeads : nullptr);

    CheckTerminated(table.face);
    for (const auto& caption : table.audio) CheckTerminated(caption);
    for (const auto& caption : table.video) CheckTerminated(caption);
    CheckTerminated(table.explanation);
    // The sizes go through the font arithmetic, which must hold for any value the file gives.
    int lfWidth = 0;
    const int y = CaptionPointToDevice(CaptionDrawingHeight(table), 96);
    volatile int lfHeight = CaptionHeightFromDevice(y);
    CaptionWidthFromDevice(CaptionPointToDevice(table.width, 96), y, 7, &lfWidth);
    (void)lfHeight;
    return 0;
}
