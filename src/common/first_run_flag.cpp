#include "common/first_run_flag.h"

#include "common/text_config.h"

namespace zorv {
namespace {
int g_flag = 0;
}

int FirstRunFlag() { return g_flag; }
void SetFirstRunFlag(int value) { g_flag = value; }

void ParseFirstRunFlag(const char* text, int* value) {
    int read = 0;
    if (ParseLeadingInt(text, &read)) *value = read;
}

}  // namespace zorv
