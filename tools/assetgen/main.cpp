// assetgen: draws every picture, sound and data file that a Zorv3D installation puts beside the
// program, and the button bitmaps and icons that its resources compile in.
//
//   assetgen --game GAMEDIR --resources RESDIR
//
// Output is a pure function of the program and the DejaVu fonts: the same bytes on every run.
// Lettering uses the DejaVu faces of Debian's fonts-dejavu-core.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "assets.h"

int main(int argc, char** argv) {
    std::string game, resources;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--game") == 0) {
            game = argv[++i];
        } else if (i + 1 < argc && std::strcmp(argv[i], "--resources") == 0) {
            resources = argv[++i];
        } else {
            game.clear();
            break;
        }
    }
    if (game.empty() || resources.empty()) {
        std::fprintf(stderr, "usage: assetgen --game GAMEDIR --resources RESDIR\n");
        return 2;
    }
    try {
        assetgen::Fonts fonts = assetgen::LoadFonts();
        assetgen::WriteFiles(game, assetgen::BuildGameFolder(fonts));
        assetgen::WriteFiles(resources, assetgen::BuildResources(fonts));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
