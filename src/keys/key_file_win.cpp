#include "keys/key_file_win.h"

#include <string>

#include "common/config_file_win.h"
#include "keys/key_bindings.h"

namespace zorv {

bool ReadKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    std::string text;
    if (!ReadConfigText(owner, instance, fileName, &text)) return false;
    ParseKeyBindingsText(KeyRecord(), text);
    return true;
}

bool WriteKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    KeyBindings& keys = KeyRecord();
    if (!SaveConfigText(owner, instance, fileName, KeyBindingsText(keys))) return false;
    KeyBindingsSaved(keys);
    return true;
}

}  // namespace zorv
