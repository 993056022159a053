#include "keys/key_file_win.h"

#include <string>

#include "common/config_file_win.h"
#include "keys/key_bindings.h"

namespace zorv {

int ReadKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    std::string text;
    if (!ReadConfigText(owner, instance, fileName, &text)) return 0;
    ParseKeyBindingsText(KeyRecord(), text);
    return 1;
}

int WriteKeyBindings(HWND owner, HINSTANCE instance, const char* fileName) {
    KeyBindings& keys = KeyRecord();
    if (!SaveConfigText(owner, instance, fileName, KeyBindingsText(keys))) return 0;
    KeyBindingsSaved(keys);
    return 1;
}

}  // namespace zorv
