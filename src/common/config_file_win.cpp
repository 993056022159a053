#include "common/config_file_win.h"

#include <cstdio>
#include <cstring>

#include "common/full_path_win.h"
#include "common/config_error_win.h"

namespace zorv {
namespace {

constexpr size_t kMaxConfigText = 1 << 20;

bool WriteWholeFile(const char* path, const std::string& text) {
    std::FILE* f = std::fopen(path, "wt");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace

bool ReadTextFile(const char* fullPath, size_t limit, std::string* text) {
    std::FILE* f = std::fopen(fullPath, "rt");
    if (!f) return false;
    text->clear();
    char buffer[4096];
    size_t got;
    while (text->size() < limit && (got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text->append(buffer, got);
    if (text->size() > limit) text->resize(limit);
    std::fclose(f);
    return true;
}

bool ReadConfigText(HWND owner, HINSTANCE instance, const char* relative, std::string* text) {
    char path[MAX_PATH];
    FullPath(relative, path);
    if (ReadTextFile(path, kMaxConfigText, text)) return true;
    ShowConfigFileError(owner, instance, path);
    return false;
}

bool SaveConfigText(HWND owner, HINSTANCE instance, const char* relative, const std::string& text) {
    char path[MAX_PATH];
    FullPath(relative, path);

    char folder[MAX_PATH];
    lstrcpynA(folder, path, MAX_PATH);
    char* slash = std::strrchr(folder, '\\');
    if (slash) slash[1] = '\0';

    DWORD attributes = GetFileAttributesA(path);
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    char temp[MAX_PATH];
    bool saved = !readOnly && GetTempFileNameA(folder, "zrv", 0, temp) != 0;
    if (saved) {
        saved = WriteWholeFile(temp, text) &&
                MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!saved) DeleteFileA(temp);
    }
    if (!saved) ShowConfigFileError(owner, instance, path);
    return saved;
}

}  // namespace zorv
