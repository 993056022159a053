#include "settings/config_file_win.h"

#include <cstdio>

#include "platform/handle_guards_win.h"
#include "settings/config_error_win.h"
#include "settings/full_path_win.h"
#include "settings/safe_save.h"

namespace zorv {
namespace {

constexpr size_t kMaxConfigText = 1 << 20;

// Writes the bytes from the start of the file opened with `disposition` and cuts it there;
// the data reaches the disk before the handle closes.
bool WriteWholeFile(const char* path, DWORD disposition, const std::string& bytes) {
    KernelHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    ok = ok && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
    // The close's own answer counts too.
    return CloseHandle(file.release()) && ok;
}

// Through the temporary file and one replacement, so that a crash leaves the old text or the
// new one, never a mixture. The 95 family has no MoveFileExA: there a new file is renamed into
// place, and an existing one is left to the caller's rewrite in place.
bool ReplaceWhole(const char* path, const std::string& bytes) {
    const std::string temp = SaveTempPath(path);
    if (WriteWholeFile(temp.c_str(), CREATE_ALWAYS, bytes) &&
        (MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
         MoveFileA(temp.c_str(), path)))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}

// The error dialog names the file by its whole full path, in the folder's own letters where the
// system can show them.
void ReportFailure(HWND owner, HINSTANCE instance, const char* relative) {
    ShowConfigFileError(owner, instance, FullPathText(relative).c_str(), WideFullPathText(relative).c_str());
}

// The file's path to open in `path` (settings/full_path_win.h). A full path that does not fit is
// refused with the error dialog, as for a file that cannot be opened: a cut one could name
// another file.
bool ConfigPath(HWND owner, HINSTANCE instance, const char* relative, char (&path)[MAX_PATH]) {
    if (FullPath(relative, path)) return true;
    ReportFailure(owner, instance, relative);
    return false;
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
    if (!ConfigPath(owner, instance, relative, path)) return false;
    if (ReadTextFile(path, kMaxConfigText, text)) return true;
    ReportFailure(owner, instance, relative);
    return false;
}

bool SaveConfigText(HWND owner, HINSTANCE instance, const char* relative, const std::string& text) {
    char path[MAX_PATH];
    if (!ConfigPath(owner, instance, relative, path)) return false;
    DWORD attributes = GetFileAttributesA(path);
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    std::string bytes = TextModeBytes(text);
    // The replacement is refused where the file is held open without delete sharing or the
    // folder lets files change but not appear; rewriting the existing file in place is then
    // no worse than a plain write.
    bool saved = !readOnly && (ReplaceWhole(path, bytes) ||
                               (attributes != INVALID_FILE_ATTRIBUTES && WriteWholeFile(path, OPEN_EXISTING, bytes)));
    if (!saved) ReportFailure(owner, instance, relative);
    return saved;
}

}  // namespace zorv
