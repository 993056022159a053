// Files for the Wine-run tests: whole reads and writes in binary, so that a test sees exactly
// the bytes the program wrote (text-mode line ends included).
#pragma once

#include <windows.h>

#include <string>

#include "platform/handle_guards_win.h"

namespace zorv_test {

// False when the file cannot be created or not every byte was written.
inline bool WriteBytes(const std::string& path, const void* bytes, size_t size) {
    zorv::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    return WriteBytes(path, bytes.data(), bytes.size());
}

// The whole file, or "<missing>" when it cannot be opened.
inline std::string ReadBytes(const std::string& path) {
    zorv::KernelHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got) out.append(buffer, got);
    return out;
}

}  // namespace zorv_test
