#include "dialogs.h"

#include "audio/audio_buttons.h"
#include "howtoplay/howto_buttons.h"
#include "keys/key_buttons.h"
#include "video/video_buttons.h"

namespace assetgen {
namespace {

std::string Numbers(std::initializer_list<int> values) {
    std::string text;
    for (int v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
    return text;
}

std::string ControlLine(const zorv::ControlSpec& c) {
    std::string line = "    " + std::string(c.statement) + " " + Numbers({c.controlId, c.x, c.y, c.width, c.height});
    // An extended style needs the style before it, even an empty one.
    const bool ex = *c.exStyle != '\0';
    if (*c.style || ex) line += ", " + std::string(*c.style ? c.style : "0");
    if (ex) line += ", " + std::string(c.exStyle);
    return line + "\n";
}

}  // namespace

const std::vector<const zorv::ScreenSpec*>& DialogScreens() {
    static const std::vector<const zorv::ScreenSpec*> screens = {&zorv::kVideoScreen, &zorv::kAudioScreen,
                                                                 &zorv::kKeyScreen, &zorv::kHowToPlayScreen};
    return screens;
}

std::string DialogResourceScript() {
    std::string script = "// Written by the asset generator from the settings screens' tables.\n";
    for (const zorv::ScreenSpec* screen : DialogScreens()) {
        const zorv::DialogSpec& d = screen->dialog;
        script += "\n" + std::to_string(d.templateId) + " " + d.statement + " " +
                  Numbers({d.x, d.y, d.width, d.height}) + "\nSTYLE " + d.style + "\nFONT " +
                  std::to_string(d.fontSize) + ", \"" + d.fontFace + "\"\nBEGIN\n";
        for (int i = 0; i < screen->controls.count; ++i) script += ControlLine(screen->controls.entries[i]);
        script += "END\n";
    }
    return script;
}

}  // namespace assetgen
