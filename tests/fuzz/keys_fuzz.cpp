// Feeds whole files to the key binding reader, then plays a few screen actions chosen by the
// file's first bytes, and checks after each that the text a save would write opens again on
// exactly what the fields show, and that every shown name fits a key field.
#include "keys/key_bindings.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void CheckSeenIsSaved(const zorv::KeyBindings& keys) {
    using namespace zorv;
    const std::string text = KeyBindingsText(keys);
    KeyBindings next;
    next.custom = INT_MIN;
    for (int& binding : next.bindings) binding = INT_MAX;
    ParseKeyBindingsText(next, text);
    OpenKeyBindings(next);
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const int shown = ShownKeyCode(keys, slot);
        if (ShownKeyCode(next, slot) != shown) std::abort();
        if (std::strlen(KeyName(shown)) >= static_cast<size_t>(kKeyNameSize)) std::abort();
    }
    if ((next.joystick != 0) != (keys.joystick != 0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorv;
    KeyBindings keys;
    keys.custom = -1;
    for (int slot = 0; slot < kKeySlotCount; ++slot) keys.bindings[slot] = slot % 2 ? INT_MIN : 1000;
    keys.joystick = 7;

    ParseKeyBindingsText(keys, std::string(reinterpret_cast<const char*>(data), size));
    OpenKeyBindings(keys);
    CheckSeenIsSaved(keys);

    for (size_t i = 0; i < size && i < 16; ++i) {
        const int choice = data[i];
        switch (choice % 4) {
        case 0: ResetKeyBindings(keys); break;
        case 1: BindKey(keys, (choice / 4) % kKeySlotCount, kKeyEntries[choice % kKeyEntryCount].code); break;
        case 2: ToggleJoystick(keys); break;
        default:
            KeyBindingsSaved(keys);
            OpenKeyBindings(keys);
            break;
        }
        CheckSeenIsSaved(keys);
    }
    return 0;
}
