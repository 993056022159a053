#include "files.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "game_files.h"
#include "wait.h"

namespace zorv_e2e {
namespace {

// A process that was just ended may hold its files for a moment longer.
constexpr DWORD kRemoveTimeout = 2000;

std::string EnvironmentValue(const char* name) {
    char buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::string();
    return std::string(buffer, n);
}

std::string ToBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool RemoveTreeOnce(const std::string& path) {
    WIN32_FIND_DATAA found;
    zorv::FileSearch search(FindFirstFileA(JoinPath(path, "*").c_str(), &found));
    bool all = true;
    if (search) {
        do {
            if (IsDotEntry(found.cFileName)) continue;
            // A name in letters this code page lacks reads as `?`; its short name names it.
            const bool misspelt = std::strchr(found.cFileName, '?') && found.cAlternateFileName[0];
            std::string child = JoinPath(path, misspelt ? found.cAlternateFileName : found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                all = RemoveTreeOnce(child) && all;
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                all = DeleteFileA(child.c_str()) && all;
            }
        } while (FindNextFileA(search.get(), &found));
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path.c_str()) && all;
}

}  // namespace

std::wstring LongName(const std::string& path) {
    wchar_t wide[MAX_PATH] = {}, name[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    const DWORD length = GetLongPathNameW(wide, name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? name : wide;
}

std::string GameFolder() {
    std::string from_environment = EnvironmentValue("ZORV_GAME_DIR");
    if (!from_environment.empty()) return ToBackslashes(from_environment);
#ifdef ZORV_E2E_GAME_DIR
    return ToBackslashes(ZORV_E2E_GAME_DIR);
#else
    return std::string();
#endif
}

std::string ArtifactsFolder() { return ToBackslashes(EnvironmentValue("ZORV_ARTIFACTS")); }

std::string JoinPath(const std::string& folder, const std::string& relative) {
    std::string left = ToBackslashes(folder);
    std::string right = ToBackslashes(relative);
    while (!left.empty() && left.back() == '\\') left.pop_back();
    while (right.size() >= 2 && right[0] == '.' && right[1] == '\\') right.erase(0, 2);
    while (!right.empty() && right.front() == '\\') right.erase(0, 1);
    if (left.empty()) return right;
    if (right.empty()) return left;
    return left + "\\" + right;
}

std::string FileNameSafe(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
    }
    return out;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    bytes->clear();
    zorv::KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        bytes->append(buffer, got);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    zorv::KernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                             written == bytes.size());
}

bool CreateFolders(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2) CreateFolders(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyTree(const std::string& from, const std::string& to) {
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    WIN32_FIND_DATAA found;
    zorv::FileSearch search(FindFirstFileA(JoinPath(from, "*").c_str(), &found));
    if (!search) return false;
    bool all = true;
    do {
        if (IsDotEntry(found.cFileName)) continue;
        std::string source = JoinPath(from, found.cFileName);
        std::string target = JoinPath(to, found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            all = CopyTree(source, target) && all;
        } else {
            all = CopyFileA(source.c_str(), target.c_str(), FALSE) && all;
        }
    } while (FindNextFileA(search.get(), &found));
    return all;
}

std::string MakeForeignFolder(const std::string& folder, const std::wstring& name) {
    const std::wstring path = LongName(folder) + L"\\" + name;
    wchar_t wide[MAX_PATH] = {};
    char short_name[MAX_PATH] = {};
    const DWORD length = CreateDirectoryW(path.c_str(), nullptr) ? GetShortPathNameW(path.c_str(), wide, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) return std::string();
    WideCharToMultiByte(CP_ACP, 0, wide, -1, short_name, MAX_PATH, nullptr, nullptr);
    return short_name;
}

bool RemoveTree(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    return WaitFor([&path] { return RemoveTreeOnce(path); }, kRemoveTimeout);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    zorv::FileSearch search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

ScratchFolder::ScratchFolder(const std::string& tag, const std::string& source) {
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) {
        error_ = "GetTempPathA failed";
        return;
    }
    std::string base = JoinPath(temp, "zorv-e2e-" + FileNameSafe(tag) + "-" + std::to_string(GetCurrentProcessId()));
    for (int serial = 0; serial < 1000 && path_.empty(); ++serial) {
        std::string candidate = base + "-" + std::to_string(serial);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
    }
    if (path_.empty()) {
        error_ = "cannot create a scratch folder under " + std::string(temp);
        return;
    }
    if (source.empty() || GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error_ = "game folder \"" + source + "\" does not exist (build the target game first)";
        return;
    }
    if (!CopyTree(source, path_)) {
        error_ = "copying \"" + source + "\" to \"" + path_ + "\" failed";
        return;
    }
    source_ = source;
    if (Exists(kIntroMovie) && !Delete(kIntroMovie)) {
        error_ = "cannot leave the intro movie out of \"" + path_ + "\"";
        return;
    }
    ok_ = true;
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) RemoveTree(path_);
}

bool ScratchFolder::Exists(const std::string& relative) const { return FileExists(PathOf(relative)); }

bool ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    return WriteWholeFile(PathOf(relative), bytes);
}

std::string ScratchFolder::Read(const std::string& relative, bool* found) const {
    std::string bytes;
    bool ok = ReadWholeFile(PathOf(relative), &bytes);
    if (found) *found = ok;
    return bytes;
}

bool ScratchFolder::Delete(const std::string& relative) const {
    std::string path = PathOf(relative);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool ScratchFolder::Restore(const std::string& relative) const {
    return !source_.empty() && CopyFileA(JoinPath(source_, relative).c_str(), PathOf(relative).c_str(), FALSE) != 0;
}

bool ScratchFolder::SetReadOnly(const std::string& relative, bool read_only) const {
    std::string path = PathOf(relative);
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    attributes = read_only ? (attributes | FILE_ATTRIBUTE_READONLY)
                           : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

FileHold::FileHold(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {}

}  // namespace zorv_e2e
