#include "assets.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "buttons.h"
#include "dialogs.h"
#include "icons.h"
#include "infofiles.h"
#include "movie.h"
#include "palette.h"
#include "scenes.h"
#include "settings/game_files.h"
#include "sounds.h"

namespace assetgen {

namespace {

Bytes ToBmp(const Image& img, int ox = 0, int oy = 0) {
    return EncodeBmp8(img.w, img.h, Quantize(img, ox, oy), GamePalette());
}

Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

static_assert(kHowPages == std::size(zorv::kHowToPlayPictures), "one picture a how-to-play page");

}  // namespace

std::string GamePath(const char* name) {
    std::string path = name;
    if (path.compare(0, 2, ".\\") == 0) path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileSet BuildGameFolder(const Fonts& fonts) {
    using namespace zorv;
    FileSet files;
    files.push_back({GamePath(kFrameBackground), ToBmp(DrawFrameBackground())});
    files.push_back({GamePath(kMainMenuBackground), ToBmp(DrawMainMenu(fonts))});
    files.push_back({GamePath(kOptionsMenuBackground), ToBmp(DrawOptionsMenu(fonts))});
    files.push_back({GamePath(kKeysBackground), ToBmp(DrawKeySetup(fonts))});
    files.push_back({GamePath(kSmallWindowBackground), ToBmp(DrawSmallWindow())});
    for (int page = 0; page < kHowPages; ++page)
        files.push_back({GamePath(kHowToPlayPictures[page]), ToBmp(DrawHowToPlay(page, fonts))});

    files.push_back({GamePath(kIntroMovie), EncodeAvi(DrawIntroMovie(fonts))});

    files.push_back({GamePath(kHoverSoundFile), EncodeWav16(kSampleRate, SynthHoverBlip())});
    files.push_back({GamePath(kClickSoundFile), EncodeWav16(kSampleRate, SynthClick())});

    files.push_back({GamePath(kCaptionFile), ToBytes(CaptionFileText())});
    files.push_back({GamePath(kFirstRunFlagFile), ToBytes(FirstRunFlagText())});
    files.push_back({GamePath(kAudioSettingsFile), ToBytes(AudioSettingsText())});
    files.push_back({GamePath(kKeyBindingsFile), ToBytes(KeyBindingsText())});
    files.push_back({GamePath(kVideoSettingsFile), ToBytes(VideoSettingsText())});
    files.push_back({GamePath(kDriverListFile), ToBytes(DriverListText())});

    // Local drivers carry the two libraries the front-end copies beside the game; each file
    // names its folder so that a copy can be traced back. The folders of drivers installed into
    // the system hold only a note, which the driver guide dialog points the player to.
    const std::vector<SampleDriver>& drivers = SampleDrivers();
    for (size_t i = 1; i + 1 < drivers.size(); ++i) {
        const SampleDriver& d = drivers[i];
        std::string dir = GamePath(kDriverFolder) + d.directory + "/";
        if (d.local) {
            for (const char* local : {kLocalOpenGlLibrary, kLocalGluLibrary}) {
                const std::string lib = GamePath(local);
                files.push_back({dir + lib, ToBytes(StandInLibraryText(lib, d))});
            }
        } else {
            files.push_back({dir + "Install.txt", ToBytes(WithCrlf("Driver files for: " + d.name +
                                                                   ".\nInstall them into Windows "
                                                                   "with the card maker's setup program.\n"))});
        }
    }
    return files;
}

FileSet BuildResources(const Fonts& fonts) {
    FileSet files;
    auto name = [](int id) { return "btn_" + std::to_string(id) + ".bmp"; };
    for (const ButtonArt& b : AllButtons()) {
        // Dithered from the button's place on screen, so the normal picture matches the menu
        // background under it pixel for pixel.
        files.push_back({name(b.normalId), ToBmp(RenderButton(b, ButtonState::Normal, fonts), b.left, b.top)});
        files.push_back(
            {name(b.highlightedId), ToBmp(RenderButton(b, ButtonState::Highlighted, fonts), b.left, b.top)});
        files.push_back({name(b.pressedId), ToBmp(RenderButton(b, ButtonState::Pressed, fonts), b.left, b.top)});
    }
    files.push_back({"buttons.rc", ToBytes(ButtonResourceScript())});
    files.push_back({"dialogs.rc", ToBytes(DialogResourceScript())});
    files.push_back({"icon_application.ico", EncodeIcon(DrawApplicationIcon(), GamePalette())});
    files.push_back({"icon_287.ico", EncodeIcon(DrawFloppyIcon(), GamePalette())});
    files.push_back({"icon_290.ico", EncodeIcon(DrawExclamationIcon(), GamePalette())});
    files.push_back({"icon_310.ico", EncodeIcon(DrawCheckIcon(), GamePalette())});
    return files;
}

void WriteFiles(const std::string& root, const FileSet& files) {
    namespace fs = std::filesystem;
    for (const OutputFile& f : files) {
        fs::path path = fs::path(root) / fs::path(f.path);
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace assetgen
