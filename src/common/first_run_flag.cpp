#include "common/first_run_flag.h"

#include "common/text_config.h"

namespace zorv {
namespace {
// Process-wide, not the menu's: a start of the game and the video screen set it after a modal
// loop, in which a close from outside may already have destroyed the menu window and its screens.
int g_flag = 0;
}  // namespace

int FirstRunFlag() { return g_flag; }
void SetFirstRunFlag(int value) { g_flag = value; }

void ParseFirstRunFlag(const char* text, int* value) {
    int read = 0;
    if (ParseLeadingInt(text, &read)) *value = read;
}

}  // namespace zorv
