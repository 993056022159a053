// Paths and files on the driver's side: the built game folder, whole-file reads and writes,
// folder trees, and the scratch copy of the game folder that each test runs the program in.
#ifndef ZORV_E2E_FILES_H
#define ZORV_E2E_FILES_H

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handle_guards_win.h"

namespace zorv_e2e {

// The built game folder as a Windows path (Wine maps Z: to the Unix root). The environment
// variable ZORV_GAME_DIR overrides the path compiled in.
std::string GameFolder();
// The folder that screenshots are saved into (ZORV_ARTIFACTS), or "" when unset.
std::string ArtifactsFolder();

// "a/b" and "a\\b" joined with a single backslash; slashes become backslashes.
std::string JoinPath(const std::string& folder, const std::string& relative);
// Letters, digits, '-', '_' and '.' kept, everything else made '_'.
std::string FileNameSafe(const std::string& text);

bool FileExists(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string* bytes);
// Binary write; replaces the file.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Creates the folder and any missing folders above it.
bool CreateFolders(const std::string& path);
// Makes `folder`\`name`, a name that may hold letters this code page lacks, and gives its short
// name (ASCII, "" when it cannot be made), by which the narrow functions here reach it.
std::string MakeForeignFolder(const std::string& folder, const std::wstring& name);
// A path in its long names, in wide letters, as a player's folder is named.
std::wstring LongName(const std::string& path);
// Copies a folder with everything below it; the destination is created.
bool CopyTree(const std::string& from, const std::string& to);
// Deletes a folder with everything below it, read-only files included.
bool RemoveTree(const std::string& path);
// The names of the files (not folders) in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// A fresh copy of the game folder under the temporary folder, deleted with everything in it
// when the guard goes. Relative names are relative to the copy, like the program's own. The copy
// leaves the intro movie out, so that a test starts straight into the menu; a test of the movie
// puts it back with Restore.
class ScratchFolder {
public:
    // tag names the folder for whoever looks into %TEMP% after a crash; it need not be unique.
    explicit ScratchFolder(const std::string& tag, const std::string& source = GameFolder());
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // False when the copy failed; error() then says why.
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    std::string PathOf(const std::string& relative) const { return JoinPath(path_, relative); }

    bool Exists(const std::string& relative) const;
    bool Write(const std::string& relative, const std::string& bytes) const;
    // The file's bytes, or "" with *found false (when found is given) if it cannot be read.
    std::string Read(const std::string& relative, bool* found = nullptr) const;
    bool Delete(const std::string& relative) const;
    // Copies the file back from the game folder the copy was made of.
    bool Restore(const std::string& relative) const;
    bool SetReadOnly(const std::string& relative, bool read_only = true) const;

private:
    std::string path_;
    std::string source_;
    std::string error_;
    bool ok_ = false;
};

// Keeps a file open with no sharing, so that no process can open, replace or delete it while the
// hold lasts. Under Wine run as root the read-only attribute stops no writer, so this is the way
// to make a file that the program cannot write. The file is created if it does not exist.
class FileHold {
public:
    explicit FileHold(const std::string& path);
    bool ok() const { return static_cast<bool>(file_); }

private:
    zorv::KernelHandle file_;
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_FILES_H
