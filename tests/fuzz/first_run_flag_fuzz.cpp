// Feeds whole files to the first-run flag reader. Whatever the file held, the flag it leaves
// must write and read back unchanged, and text without a number must leave the flag alone.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/first_run_flag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int before = size > 0 ? static_cast<int8_t>(data[0]) * 1000003 : 17;
    int flag = before;
    zorv::ParseFirstRunFlag(text.c_str(), &flag);

    char written[16];
    std::snprintf(written, sizeof written, "%d\n", flag);
    int reread = flag == 0 ? 1 : 0;
    zorv::ParseFirstRunFlag(written, &reread);
    if (reread != flag) std::abort();

    bool digits = false;
    for (char c : text) digits = digits || (c >= '0' && c <= '9');
    if (!digits && flag != before) std::abort();
    return 0;
}
