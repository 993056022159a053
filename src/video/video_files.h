// The video calibration's two text files and the records they fill: the player's choice in
// ".\info\video.cfg" and the list of drivers and display modes in ".\info\Driver.dat". Also
// the rules the calibration dialog applies to them: which entries its lists hold, what it
// selects, how the level bar moves, and which drivers are installed by copying.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The notification codes the level bar passes on, kScrollLineLeft to kScrollEnd.
#include "input/scroll_bar.h"

namespace zorv {

constexpr int kMaxDrivers = 20;
constexpr int kMaxModes = 10;
constexpr size_t kDriverDirectorySize = 100;  // terminating zero included
constexpr size_t kDriverNameSize = 50;
constexpr size_t kModeLabelSize = 50;

constexpr int kLevelMin = 0;
constexpr int kLevelMax = 100;
constexpr int kLevelShownByDefault = 50;
constexpr int kLevelStep = 10;

// The player's choice. All zero at program start.
struct VideoSettings {
    int customFlag = 0;  // 0: the dialog shows the defaults; otherwise the values below
    int driverIndex = 0;
    int modeIndex = 0;  // position in the display-mode list the dialog shows for the driver
    int level = 0;      // calibration level, 0..100 as the dialog sets it
};

// The drivers and display modes the installation offers. The counts always lie within
// 0..kMaxDrivers and 0..kMaxModes, so every index below a count is inside its table.
struct DriverList {
    int driverCount = 0;
    char directories[kMaxDrivers][kDriverDirectorySize] = {};  // under ".\Driver\"
    char names[kMaxDrivers][kDriverNameSize] = {};             // shown in the driver list
    int modeCount = 0;
    int widths[kMaxModes] = {};
    int heights[kMaxModes] = {};
    int depths[kMaxModes] = {};
    char lastModeLabel[kModeLabelSize] = {};
    char modeLabels[kMaxModes][kModeLabelSize] = {};  // what the mode list holds, by position
};

// video.cfg: four numbers, each read as "%d\n" reads it (white space before and after is
// skipped). A value that is missing or not a number leaves that setting, and the ones after
// it, as they were. Numbers beyond the 32-bit range saturate.
void ParseVideoSettings(const std::string& text, VideoSettings* settings);
// The four lines, "%d\n" each ("\n" becomes CR LF when saved).
std::string FormatVideoSettings(const VideoSettings& settings);

// Driver.dat, as a text-mode read delivers it (CR LF is taken as a line end; text after a NUL
// byte in a line is not part of it; lines longer than 255 characters arrive in pieces):
//   the driver count ("%d\n"); per driver a "#D" line and a "#N" line, whose text after the
//   one character that ends the marker is the directory and the display name; the mode count
//   ("%d\n"); per mode "%d %d %d\n" (width, height, depth); then the last-mode label line.
// A line whose first token is not the expected marker is used up and leaves that entry's text
// as it was. Beyond what the format says, the reader keeps inside the tables:
//   - Texts are cut to their fields (99 characters for a directory, 49 for a name or label).
//   - Drivers after the 20th are read past and ignored; so are modes after the 10th, so that
//     the label line is still found.
//   - The counts kept are never below 0 and never above what the file supplied: a driver
//     counts when at least its "#D" line (or the line in its place) was there, a mode when
//     all three of its numbers were read. A count that is not a number leaves the old one.
//   - Reading stops at the first mode whose numbers cannot be read; the label is then the rest
//     of that line. A file that ends before the label line leaves the label as it was.
void ParseDriverList(const std::string& text, DriverList* list);

// "640 X 480  16": width, "X", height, two blanks, depth.
std::string FormatModeLabel(int width, int height, int depth);

// Drivers 1 to 3 are installed by copying their libraries beside the game; they offer only
// the first display mode.
bool IsLocalDriver(int driverIndex);
// Drivers after them must be installed into the system; the driver guide tells where their
// files lie. Driver 0 is the system's own and needs nothing.
bool IsSystemInstalledDriver(int driverIndex);

// What the display-mode list holds for a driver, and the mode label table filled to match:
//   - a local driver: the label of mode 0 alone;
//   - any other driver: the labels of modes 0 to count - 2, then the last-mode label at
//     position count - 1; with 0 or 1 modes only the last-mode label.
// A list with no modes at all offers the last-mode label to every driver, since it has no
// mode 0 to show. An empty last-mode label is replaced by the last mode's own label.
std::vector<std::string> FillModeLabels(DriverList* list, int driverIndex);

// The positions the dialog shows.
struct VideoSelection {
    int bar;     // level bar position
    int driver;  // driver list entry (an index outside the list shows no selection)
    int mode;    // mode list entry
};

// The stored choice when the custom flag is set (mode entry 0 for a local driver), otherwise
// driver 0, mode 0 and the bar at 50. Shown on opening and after DEFAULT; after the player
// picked a driver (already stored), its bar and mode are shown.
VideoSelection SelectionToShow(const VideoSettings& settings);

// A change of either list or of the level bar makes the choice on show the stored one: the
// custom flag becomes 1, and while it was 0 the bar showed 50 whatever the stored level, so
// the level becomes 50 first. The level bar steps from there, never from a level not shown.
void AdoptShownChoice(VideoSettings* settings);

// The level after a scroll notification: steps of 10 stop at 0 and 100, the ends jump there,
// a thumb position (signed 16-bit) is taken as it is but kept within 0..100, other codes
// leave the level unchanged. A stored level outside 0..100 steps from where it is.
int NextCalibrationLevel(int level, int code, int thumbPosition);

}  // namespace zorv
