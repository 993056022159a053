#include "keys/key_file_win.h"

#include <string>

#include "settings/config_file_win.h"

namespace zorv {

bool ReadKeyBindings(HWND owner, HINSTANCE instance, const char* fileName, KeyBindings& keys) {
    return ReadConfig(owner, instance, fileName,
                      [&keys](const std::string& text) { ParseKeyBindingsText(keys, text); });
}

bool WriteKeyBindings(HWND owner, HINSTANCE instance, const char* fileName, KeyBindings& keys) {
    if (!SaveConfigText(owner, instance, fileName, KeyBindingsText(keys))) return false;
    KeyBindingsSaved(keys);
    return true;
}

}  // namespace zorv
