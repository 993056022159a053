// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The reading rules every settings text file of the game shares: text as a text-mode read
// delivers it, lines of at most 255 characters, a first token split off at blanks, tabs and line
// ends, numbers converted the way "%d" and atoi do, and texts cut to their fields.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorv {

constexpr size_t kConfigLineLimit = 255;
extern const char kTokenDelimiters[];  // " \t\n"

// The first position from `at` on that does not hold the white space formatted input and atoi
// skip (blank, tab, line feed, carriage return, vertical tab, form feed); the text's length if none.
size_t SkipScanSpace(const std::string& text, size_t at);

// "%d" at `at`: white space, an optional sign, at least one digit; values beyond the 32-bit
// range saturate. On success sets `value` and moves `at` past the number; otherwise leaves
// `value` alone and moves `at` past the white space only.
bool ScanInt(const std::string& text, size_t* at, int* value);
// "%d\n": the same, and on success the white space after the number is used up too.
bool ScanIntLine(const std::string& text, size_t* at, int* value);

// atoi: leading white space, an optional sign, decimal digits; 0 without digits. Values
// beyond the 32-bit range saturate.
int AtoiLike(const char* text);

// Like AtoiLike, but says whether any digit was there.
bool ParseLeadingInt(const char* text, int* value);

// The text a text-mode read delivers from a file's bytes: every CR LF becomes LF.
std::string TextModeRead(const std::string& bytes);

// Where the piece that starts at `start` ends, as a line reader with a 255-character limit
// returns it: after its '\n' (when it has one), or 255 characters on for a longer line.
size_t ConfigLineEnd(const std::string& text, size_t start);

// Splits text into the pieces a line reader with a 255-character limit returns: each line
// with its '\n' (when it has one), a longer line cut into pieces of 255 characters.
std::vector<std::string> SplitConfigLines(const std::string& text);

// The first token of a line, and where it ended; empty when the line holds none. `end` is the
// index of the delimiter that ended it (or the line's length). Files whose keys are split off
// at blanks only pass " \t", so that a key glued to the line end keeps its '\n'.
std::string FirstToken(const std::string& line, size_t* end, const char* delimiters = kTokenDelimiters);

// Copies `value` into a fixed text field, cut to the field and always terminated.
template <size_t N>
void CopyCut(char (&field)[N], const std::string& value) {
    const size_t n = value.size() < N - 1 ? value.size() : N - 1;
    value.copy(field, n);
    field[n] = '\0';
}

}  // namespace zorv
