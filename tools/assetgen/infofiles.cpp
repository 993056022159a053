#include "infofiles.h"

namespace assetgen {

std::string WithCrlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string CaptionFileText() {
    // One delimiter character separates a key from its value; a value runs to a tab or the line end.
    return WithCrlf(
        "FONT: Arial\n"
        "FHeight: 95\n"
        "FWidth: 0\n"
        "a0: Music Volume\n"
        "a1: Sound Volume\n"
        "v0: OpenGL Driver\n"
        "v1: Display Mode\n"
        "v2: Calibration Level\n"
        "wm: This settings file is missing or locked. Reinstall the game or make its folder writable.\n");
}

std::string FirstRunFlagText() { return WithCrlf("0\n"); }

std::string AudioSettingsText() { return WithCrlf("0\nMusic 25\nSound 25\n"); }

std::string KeyBindingsText() {
    struct Binding {
        const char* key;
        int code;
    };
    // The default bindings: scan code, plus 256 for an extended key.
    static const Binding defaults[] = {
        {"#1p-Up", 328},    {"#1p-Left", 331},  {"#1p-Right", 333}, {"#1p-Down", 336},
        {"#1p-Fire01", 26}, {"#1p-Fire02", 27}, {"#2p-Up", 17},     {"#2p-Left", 30},
        {"#2p-Right", 32},  {"#2p-Down", 31},   {"#2p-Fire01", 42}, {"#2p-Fire02", 29},
    };
    std::string text = "0\n";
    for (const Binding& b : defaults) text += std::string(b.key) + " " + std::to_string(b.code) + "\n";
    text += "#JoyStick 0\n";
    return WithCrlf(text);
}

std::string VideoSettingsText() {
    // Custom flag, driver index, mode index, calibration level.
    return WithCrlf("0\n0\n0\n50\n");
}

const std::vector<SampleDriver>& SampleDrivers() {
    static const std::vector<SampleDriver> drivers = {
        {"System", "System OpenGL driver", false},
        {"GlintA", "Orrin Glint 3D (local)", true},
        {"GlintDuo", "Orrin Glint 3D Duo (local)", true},
        {"Vantage", "Kestrel Vantage (local)", true},
        {"Tessaline", "Tessaline T4 (install in Windows)", false},
        {"MarrowMX", "Marrow MX-2 (install in Windows)", false},
        {"Other", "Other OpenGL card", false},
    };
    return drivers;
}

std::string StandInLibraryText(const std::string& library, const SampleDriver& driver) {
    return WithCrlf("Stand-in " + library + " of the driver \"" + driver.name + "\" (Driver\\" + driver.directory +
                    ")\n");
}

std::string DriverListText() {
    const std::vector<SampleDriver>& drivers = SampleDrivers();
    std::string text = std::to_string(drivers.size()) + "\n";
    for (const SampleDriver& d : drivers) text += "#D " + d.directory + "\n#N " + d.name + "\n";
    struct Mode {
        int w, h, depth;
    };
    static const Mode modes[] = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {1024, 768, 32}};
    text += std::to_string(sizeof modes / sizeof modes[0]) + "\n";
    for (const Mode& m : modes)
        text += std::to_string(m.w) + " " + std::to_string(m.h) + " " + std::to_string(m.depth) + "\n";
    // Label of the last mode, shown in place of its numbers.
    text += "1024 X 768  32 (true colour)\n";
    return WithCrlf(text);
}

}  // namespace assetgen
