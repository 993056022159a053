#include "keys/key_table.h"

#include <string_view>

namespace zorv {
namespace {

// The 400 entries indexed by key code, as two parallel arrays.
struct KeyTable {
    int virtualKey[kKeyCodeCount];
    const char* name[kKeyCodeCount];
};

constexpr KeyTable BuildKeyTable() {
    KeyTable table{};
    for (int code = 0; code < kKeyCodeCount; ++code) table.name[code] = "";
    for (const KeyEntry& entry : kKeyEntries) {
        table.virtualKey[entry.code] = entry.virtualKey;
        table.name[entry.code] = entry.name;
    }
    return table;
}

constexpr bool EntriesAreSound() {
    int previous = 0;
    for (const KeyEntry& entry : kKeyEntries) {
        if (entry.code <= previous || entry.code >= kKeyCodeCount) return false;
        const std::string_view name = entry.name;
        if (entry.virtualKey <= 0 || name.empty() || name.size() >= kKeyNameSize) return false;
        previous = entry.code;
    }
    return true;
}

static_assert(kKeyEntryCount == 90, "the key table knows 90 keys");
static_assert(EntriesAreSound(), "key codes ascend within 1..399; names fit a key field's 20 bytes");

constexpr KeyTable kKeyTable = BuildKeyTable();

}  // namespace

int FindKeyCode(int virtualKey) {
    for (int code = 0; code < kKeyCodeCount; ++code) {
        if (kKeyTable.virtualKey[code] == virtualKey) return code;
    }
    return 0;
}

const char* KeyName(int keyCode) {
    if (keyCode < 0 || keyCode >= kKeyCodeCount) return "";
    return kKeyTable.name[keyCode];
}

}  // namespace zorv
