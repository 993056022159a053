#include "keys/key_file_win.h"

#include <string>

#include "common/config_file_win.h"
#include "keys/key_bindings.h"

namespace zorv {

bool ReadKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    return ReadConfig(owner, instance, fileName,
                      [](const std::string& text) { ParseKeyBindingsText(KeyRecord(), text); });
}

bool WriteKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    KeyBindings& keys = KeyRecord();
    if (!SaveConfigText(owner, instance, fileName, KeyBindingsText(keys))) return false;
    KeyBindingsSaved(keys);
    return true;
}

}  // namespace zorv
