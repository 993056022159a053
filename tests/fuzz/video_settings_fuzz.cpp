// Feeds whole files to the video settings reader and checks that what it read is written back
// in a form that reads the same.
#include "video/video_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    VideoSettings read{3, 1, 4, 15};
    ParseVideoSettings(std::string(reinterpret_cast<const char*>(data), size), &read);

    VideoSettings again{-9, -9, -9, -9};
    ParseVideoSettings(FormatVideoSettings(read), &again);
    if (again.customFlag != read.customFlag || again.driverIndex != read.driverIndex ||
        again.modeIndex != read.modeIndex || again.level != read.level)
        std::abort();
    return 0;
}
