#include "keys/key_bindings.h"

#include <cstdio>

#include "settings/text_config.h"

namespace zorv {
namespace {

constexpr int kEscapeVirtualKey = 0x1B;
constexpr char kKeyDelimiters[] = " \t";

int* FieldOfKey(KeyBindings& keys, const std::string& key) {
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        if (key == kKeySlotKeys[slot]) return &keys.bindings[slot];
    }
    if (key == kJoystickKey) return &keys.joystick;
    return nullptr;
}

void ApplyLine(KeyBindings& keys, const std::string& piece) {
    const std::string line(piece.c_str());
    size_t keyEnd = 0;
    int* field = FieldOfKey(keys, FirstToken(line, &keyEnd, kKeyDelimiters));
    if (field == nullptr || keyEnd >= line.size()) return;
    const size_t valueBegin = keyEnd + 1;
    size_t valueEnd = line.find('\n', valueBegin);
    if (valueEnd == std::string::npos) valueEnd = line.size();
    const std::string value = line.substr(valueBegin, valueEnd - valueBegin);
    if (SkipScanSpace(value, 0) < value.size()) *field = AtoiLike(value.c_str());
}

void AppendLine(std::string& text, const char* key, int value) {
    char number[16];
    std::snprintf(number, sizeof number, " %d\n", value);
    text += key;
    text += number;
}

// The defaults routine: fills the default table and puts JOYSTICK 1 back in the left place.
// Touches neither the bindings nor the custom flag.
void LoadDefaultKeys(KeyBindings& keys) {
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        keys.defaults[slot].code = kDefaultKeys[slot].code;
        std::snprintf(keys.defaults[slot].name, kKeyNameSize, "%s", kDefaultKeys[slot].name);
    }
    keys.joystick = 0;
}

// The codes of the default table become the bindings.
void BindDefaults(KeyBindings& keys) {
    for (int slot = 0; slot < kKeySlotCount; ++slot) keys.bindings[slot] = keys.defaults[slot].code;
}

}  // namespace

void ParseKeyBindingsText(KeyBindings& keys, const std::string& fileText) {
    const std::string text = TextModeRead(fileText);
    // The lines start after the first number and the white space behind it, or, when the text
    // does not begin with a number, after the leading white space alone. The number is read as a
    // C string too: a NUL byte before it hides it.
    size_t linesBegin = 0;
    ScanIntLine(std::string(text.c_str()), &linesBegin, &keys.custom);
    for (const std::string& line : SplitConfigLines(text.substr(linesBegin))) ApplyLine(keys, line);
}

std::string KeyBindingsText(const KeyBindings& keys) {
    std::string text = keys.defaultsChosen ? "0\n" : "1\n";
    for (int slot = 0; slot < kKeySlotCount; ++slot) AppendLine(text, kKeySlotKeys[slot], ShownKeyCode(keys, slot));
    AppendLine(text, kJoystickKey, keys.joystick);
    return text;
}

void KeyBindingsSaved(KeyBindings& keys) {
    if (keys.defaultsChosen) BindDefaults(keys);
    keys.custom = keys.defaultsChosen ? 0 : 1;
    keys.defaultsChosen = 0;
}

void OpenKeyBindings(KeyBindings& keys) {
    const int joystick = keys.joystick;
    LoadDefaultKeys(keys);
    keys.joystick = joystick;
    keys.defaultsChosen = keys.custom == 0;
}

int ShownKeyCode(const KeyBindings& keys, int slot) {
    if (slot < 0 || slot >= kKeySlotCount) return 0;
    return keys.defaultsChosen ? keys.defaults[slot].code : keys.bindings[slot];
}

void ResetKeyBindings(KeyBindings& keys) {
    keys.defaultsChosen = 1;
    keys.custom = 0;
    LoadDefaultKeys(keys);
}

void BindKey(KeyBindings& keys, int slot, int keyCode) {
    if (slot < 0 || slot >= kKeySlotCount) return;
    if (keys.defaultsChosen) BindDefaults(keys);
    keys.defaultsChosen = 0;
    keys.custom = 1;
    keys.bindings[slot] = keyCode;
}

void ToggleJoystick(KeyBindings& keys) { keys.joystick = keys.joystick == 0 ? 1 : 0; }

int NextKeySlot(int slot, int virtualKey) {
    if (virtualKey == kEscapeVirtualKey) return kNoSlot;
    return (slot + 1) % kKeySlotCount;
}

}  // namespace zorv
