#include "settings/full_path_win.h"

namespace zorv {
namespace {

// Between the code page of the narrow names and the wide ones; empty when it cannot be done.
std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr, nullptr);
    return text;
}

// The wide full path of a narrow name; empty when the system forms none.
std::wstring WideFull(const char* relative) {
    const std::wstring name = Wide(relative);
    const DWORD needed = name.empty() ? 0 : GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring();
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed) return std::wstring();
    full.resize(length);
    return full;
}

// True when the narrow full path names what the wide one does: it reads back letter for letter.
// Where the system has no wide path (the 95 family) every name is narrow and the answer is yes.
bool SpelledWhole(const char* relative, const char* narrowFull) {
    const std::wstring wide = WideFull(relative);
    return wide.empty() || Wide(narrowFull) == wide;
}

}  // namespace

bool FullPath(const char* relative, char (&out)[MAX_PATH]) {
    if (!relative) relative = "";
    const DWORD n = GetFullPathNameA(relative, MAX_PATH, out, nullptr);
    const bool fits = n > 0 && n < MAX_PATH;
    if (fits && SpelledWhole(relative, out)) return true;
    // The relative name still names the same file; a cut or misspelt full path may not.
    if (lstrlenA(relative) < MAX_PATH) lstrcpynA(out, relative, MAX_PATH);
    else out[0] = '\0';
    return fits && out[0] != '\0';
}

std::string FullPathText(const char* relative) {
    if (!relative) relative = "";
    char fitted[MAX_PATH];
    const DWORD n = GetFullPathNameA(relative, MAX_PATH, fitted, nullptr);
    if (n > 0 && n < MAX_PATH) return fitted;
    // Past MAX_PATH only the wide function forms the path (Wine's narrow one gives up).
    const std::wstring full = WideFull(relative);
    const std::string text = full.empty() ? std::string() : Narrow(full);
    return text.empty() ? std::string(relative) : text;
}

std::wstring WideFullPathText(const char* relative) { return WideFull(relative ? relative : ""); }

}  // namespace zorv
