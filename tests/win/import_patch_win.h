// A system function made to answer as an older Windows does, for the calls this program makes
// through its import table: the 95 family exports some functions only as stubs that fail.
#pragma once

#include <windows.h>

#include <cstring>

namespace zorv_test {

// While it lives, this program's import of `function` from `dll` goes to `replacement`.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        DWORD at = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + at); entry->Name && !slot_; ++entry) {
            if (lstrcmpiA(reinterpret_cast<char*>(base + entry->Name), dll) != 0) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData && !slot_; ++names, ++addresses) {
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) && std::strcmp(byName->Name, function) == 0)
                    slot_ = reinterpret_cast<void**>(&addresses->u1.Function);
            }
        }
        if (slot_) original_ = Swap(replacement);
    }
    ~ImportPatch() {
        if (slot_) Swap(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    bool ok() const { return slot_ != nullptr; }

private:
    void* Swap(void* to) {
        DWORD was = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &was);
        void* before = *slot_;
        *slot_ = to;
        VirtualProtect(slot_, sizeof *slot_, was, &was);
        return before;
    }
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace zorv_test
