// Everything the generator writes, as named byte blobs, so that the drawing is separate from
// the disk and the whole output can be compared run against run.
#pragma once

#include <string>
#include <vector>

#include "text.h"
#include "writers.h"

namespace assetgen {

struct OutputFile {
    std::string path;  // relative to its root folder, '/' between the parts
    Bytes bytes;
};

using FileSet = std::vector<OutputFile>;

// A name of the game folder (settings/game_files.h) as a path under the folder being written:
// without the leading ".\" and with '/' between the parts.
std::string GamePath(const char* name);

// The game folder: logo.avi, resource/background/*.bmp, sound/*.wav, info/*, Driver/<folder>/*.
FileSet BuildGameFolder(const Fonts& fonts);
// What the resource script compiles in: btn_NNN.bmp and icon_NNN.ico.
FileSet BuildResources(const Fonts& fonts);

// Writes each file under `root`, creating folders as needed. Throws on failure.
void WriteFiles(const std::string& root, const FileSet& files);

}  // namespace assetgen
