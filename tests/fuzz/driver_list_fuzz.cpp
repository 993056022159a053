// Feeds whole files to the driver list reader, starting from tables filled to the brim, and
// checks that the counts stay within the tables, every text still ends within its field, and
// the mode list can be built for every driver index the dialog may hold.
#include "video/video_files.h"

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
    DriverList list;
    for (auto& text : list.directories) Fill(text);
    for (auto& text : list.names) Fill(text);
    for (auto& text : list.modeLabels) Fill(text);
    Fill(list.lastModeLabel);
    // A count left from an earlier read must not lead outside the tables either.
    list.driverCount = size > 0 ? static_cast<int8_t>(data[0]) : 0;
    list.modeCount = size > 1 ? static_cast<int8_t>(data[1]) : 0;

    ParseDriverList(std::string(reinterpret_cast<const char*>(data), size), &list);

    if (list.driverCount < 0 || list.driverCount > kMaxDrivers) std::abort();
    if (list.modeCount < 0 || list.modeCount > kMaxModes) std::abort();
    for (const auto& text : list.directories) CheckTerminated(text);
    for (const auto& text : list.names) CheckTerminated(text);
    CheckTerminated(list.lastModeLabel);
    for (int driver = -1; driver <= kMaxDrivers + 1; ++driver) {
        const size_t entries = FillModeLabels(&list, driver).size();
        if (entries < 1 || entries > static_cast<size_t>(kMaxModes)) std::abort();
    }
    for (const auto& text : list.modeLabels) CheckTerminated(text);
    return 0;
}
