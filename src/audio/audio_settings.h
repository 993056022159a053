// The two volumes the game reads from ".\info\Audio.cfg", and the rules of that file: a custom
// flag line, then up to two lines "Music n" and "Sound n" in either order, on a 0..50 scale.
#pragma once

#include <string>

namespace zorv {

constexpr int kVolumeMin = 0;
constexpr int kVolumeMax = 50;
constexpr int kDefaultVolume = 25;  // both volumes while the custom flag is 0

struct AudioSettings {
    int customFlag = 0;  // 0: the dialog shows the defaults and ignores the stored volumes
    int music = 0, sound = 0;
};

// Applies a whole file's text to `settings`, as a text-mode read delivers it (CR LF counts as
// LF; a NUL byte ends the line it is in).
// - A leading decimal number (blank lines and blanks around it skipped) is the custom flag;
//   without one the flag is kept and the first line is read as a key line.
// - At most two further lines are read, each at most 255 characters (a longer line comes in
//   pieces, each a line). A line whose first token, split at blanks and tabs only, is exactly
//   "Music" or "Sound" sets that volume from the rest of the line as atoi reads it; any other
//   line changes nothing. A key alone on its line carries its line end in the token and so
//   matches nothing. A key followed by nothing but blanks (or by the end of the file) gives
//   no value and leaves its volume as it was. Later lines are never read.
void ParseAudioText(AudioSettings& settings, const std::string& text);

// The three lines the file always holds after a save: "%d\n", "Music %d\n", "Sound %d\n".
std::string FormatAudioText(const AudioSettings& settings);

}  // namespace zorv
