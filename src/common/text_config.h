// The reading rules every settings text file of the game shares: lines of at most 255
// characters, a first token split off at blanks, tabs and line ends, and numbers converted
// the way atoi does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorv {

constexpr size_t kConfigLineLimit = 255;
extern const char kTokenDelimiters[];  // " \t\n"

// atoi: leading white space, an optional sign, decimal digits; 0 without digits. Values
// beyond the 32-bit range saturate instead of overflowing.
int AtoiLike(const char* text);

// Like AtoiLike, but says whether any digit was there.
bool ParseLeadingInt(const char* text, int* value);

// Splits text into the pieces a line reader with a 255-character limit returns: each line
// with its '\n' (when it has one), a longer line cut into pieces of 255 characters.
std::vector<std::string> SplitConfigLines(const std::string& text);

// The first token of a line, and where it ended; empty when the line holds none. `end` is the
// index of the delimiter that ended it (or the line's length). Files whose keys are split off
// at blanks only pass " \t", so that a key glued to the line end keeps its '\n'.
std::string FirstToken(const std::string& line, size_t* end, const char* delimiters = kTokenDelimiters);

}  // namespace zorv
