// The text files of the game folder's info\ directory as an installation ships them, and the
// sample OpenGL driver folders under Driver\.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

// The program writes these files in text mode on Windows, so every line ends in CR LF; the
// texts below are built with "\n" and converted by this.
std::string WithCrlf(const std::string& text);

std::string CaptionFileText();    // String.dat
std::string FirstRunFlagText();   // InitFlag.flg
std::string AudioSettingsText();  // Audio.cfg
std::string KeyBindingsText();    // keyvalue.cfg
std::string VideoSettingsText();  // video.cfg
std::string DriverListText();     // Driver.dat

struct SampleDriver {
    std::string directory;  // under Driver\, at most 40 characters
    std::string name;       // shown in the video dialog's driver list
    bool local;             // index 1 to 3: its two libraries are copied into the game folder
};

// Driver list order: 0 the system's driver, 1 to 3 local drivers, then drivers that must be
// installed into the system; the last entry stands for any other card and has no folder.
const std::vector<SampleDriver>& SampleDrivers();

// What a local driver's stand-in library holds: one line that names the library, the driver
// and its folder, so that whoever finds a copy beside the game can tell where it came from.
std::string StandInLibraryText(const std::string& library, const SampleDriver& driver);

}  // namespace assetgen
