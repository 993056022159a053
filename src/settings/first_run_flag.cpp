#include "settings/first_run_flag.h"

#include "settings/text_config.h"

namespace zorv {
void ParseFirstRunFlag(const char* text, int* value) {
    int read = 0;
    if (ParseLeadingInt(text, &read)) *value = read;
}

}  // namespace zorv
