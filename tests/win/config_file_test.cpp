// Settings files on a real Windows file system: full paths, CR LF line ends, saves that replace
// the file in one step, and the error dialog's path for files that cannot be opened.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import_patch_win.h"
#include "keys/key_bindings.h"
#include "keys/key_file_win.h"
#include "platform/handle_guards_win.h"
#include "settings/config_error_win.h"
#include "settings/config_file_win.h"
#include "settings/first_run_flag_win.h"
#include "settings/game_files.h"
#include "test_files_win.h"

using namespace zorv;

namespace {

std::vector<std::string> g_errors;
void CollectError(const char* path) { g_errors.push_back(path); }

// As the 95 family's stubs answer.
BOOL WINAPI RefusedMove(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
DWORD WINAPI RefusedWideFullPath(LPCWSTR, DWORD, LPWSTR, LPWSTR*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

class ConfigFiles : public ::testing::Test {
protected:
    void SetUp() override {
        g_errors.clear();
        SetConfigErrorSinkForTesting(CollectError);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "zorv_cfg_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\Info").c_str(), nullptr);
        SetCurrentDirectoryA(dir_.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        SetConfigErrorSinkForTesting(nullptr);
        WIN32_FIND_DATAA f;
        FileSearch search(FindFirstFileA((dir_ + "\\Info\\*").c_str(), &f));
        if (search) {
            do {
                std::string p = dir_ + "\\Info\\" + f.cFileName;
                SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(p.c_str());
            } while (FindNextFileA(search.get(), &f));
        }
        RemoveDirectoryA((dir_ + "\\Info").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    std::string Bytes(const std::string& relative) { return zorv_test::ReadBytes(dir_ + "\\" + relative); }
    void Put(const std::string& relative, const std::string& bytes) {
        zorv_test::WriteBytes(dir_ + "\\" + relative, bytes);
    }
    int FilesInInfo() {
        int n = 0;
        WIN32_FIND_DATAA f;
        FileSearch search(FindFirstFileA((dir_ + "\\Info\\*").c_str(), &f));
        do {
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
        } while (FindNextFileA(search.get(), &f));
        return n;
    }
    char previous_[MAX_PATH];
    std::string dir_;
};

}  // namespace

TEST_F(ConfigFiles, SaveWritesTextModeLinesAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kGameModeFile, "0\n1::9::8::7\n"));
    EXPECT_EQ(Bytes("Info\\GameMode.dat"), "0\r\n1::9::8::7\r\n");
    ASSERT_TRUE(SaveConfigText(nullptr, nullptr, ".\\info\\GameMode.dat", "1\n"));
    EXPECT_EQ(Bytes("Info\\GameMode.dat"), "1\r\n");
    EXPECT_EQ(FilesInInfo(), 1);
    EXPECT_TRUE(g_errors.empty());
}

TEST_F(ConfigFiles, WithoutMoveFileExOrTheWideFullPathSavesAreExactAndErrorsNameTheFile) {
    zorv_test::ImportPatch noMove("KERNEL32.dll", "MoveFileExA", reinterpret_cast<void*>(RefusedMove));
    ASSERT_TRUE(noMove.ok());
    // A new file is renamed into place, an existing one rewritten in place.
    ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kGameModeFile, "0\n1::9::8::7\n"));
    EXPECT_EQ(Bytes("Info\\GameMode.dat"), "0\r\n1::9::8::7\r\n");
    ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kGameModeFile, "1\n"));
    EXPECT_EQ(Bytes("Info\\GameMode.dat"), "1\r\n");
    EXPECT_EQ(FilesInInfo(), 1);
    EXPECT_TRUE(g_errors.empty());

    // A full path past MAX_PATH, which only the wide call forms, is named as the program gave it.
    zorv_test::ImportPatch noWidePath("KERNEL32.dll", "GetFullPathNameW", reinterpret_cast<void*>(RefusedWideFullPath));
    ASSERT_TRUE(noWidePath.ok());
    const std::string relative = ".\\Info\\" + std::string(MAX_PATH + 20 - dir_.size() - 6, 'k');
    EXPECT_FALSE(SaveConfigText(nullptr, nullptr, relative.c_str(), "1\n"));
    EXPECT_EQ(g_errors, std::vector<std::string>{relative});
    EXPECT_EQ(FilesInInfo(), 1);
}

TEST_F(ConfigFiles, ReadOnlyFileIsLeftAsItWasAndReportedWithItsFullPath) {
    Put("Info\\InitFlag.flg", "0\r\n");
    SetFileAttributesA((dir_ + "\\Info\\InitFlag.flg").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveConfigText(nullptr, nullptr, kFirstRunFlagFileAsWritten, "1\n"));
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_EQ(g_errors[0], dir_ + "\\Info\\InitFlag.flg");
    EXPECT_EQ(Bytes("Info\\InitFlag.flg"), "0\r\n");
    EXPECT_EQ(FilesInInfo(), 1);
}

TEST_F(ConfigFiles, SaveReplacesAndRemovesTheStrayOfAnInterruptedSave) {
    Put("Info\\Audio.cfg", "0\r\nMusic 25\r\nSound 25\r\n");
    Put("Info\\Audio.cf~", "0\r\nMusic 2");
    ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kAudioSettingsFile, "0\nMusic 7\nSound 9\n"));
    EXPECT_EQ(Bytes("Info\\Audio.cfg"), "0\r\nMusic 7\r\nSound 9\r\n");
    EXPECT_EQ(FilesInInfo(), 1);
    EXPECT_TRUE(g_errors.empty());
}

TEST_F(ConfigFiles, FileHeldOpenWithoutDeleteSharingIsRewrittenInPlace) {
    Put("Info\\video.cfg", "0\r\n0\r\n0\r\n50\r\n");
    Put("Info\\other.txt", "x");
    const std::string path = dir_ + "\\info\\video.cfg";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    KernelHandle hold(held);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // The situation the fallback is for: the file may be written but not replaced.
    ASSERT_FALSE(MoveFileExA((dir_ + "\\Info\\other.txt").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(SaveConfigText(nullptr, nullptr, kVideoSettingsFile, "1\n2\n"));
    hold.reset();
    EXPECT_EQ(Bytes("Info\\video.cfg"), "1\r\n2\r\n");
    EXPECT_EQ(FilesInInfo(), 2);
    EXPECT_TRUE(g_errors.empty());

    // Held without write sharing the file truly cannot be written: the dialog, the old text.
    hold.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(SaveConfigText(nullptr, nullptr, kVideoSettingsFile, "3\n"));
    hold.reset();
    EXPECT_EQ(Bytes("Info\\video.cfg"), "1\r\n2\r\n");
    EXPECT_EQ(FilesInInfo(), 2);
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_EQ(g_errors[0], path);
}

TEST_F(ConfigFiles, SaveIntoAMissingFolderReportsTheWholeFullPath) {
    EXPECT_FALSE(SaveConfigText(nullptr, nullptr, ".\\nowhere\\keyvalue.cfg", "0\n"));
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_EQ(g_errors[0], dir_ + "\\nowhere\\keyvalue.cfg");
}

TEST_F(ConfigFiles, MissingFileReportsTheWholeFullPath) {
    std::string text = "unchanged";
    EXPECT_FALSE(ReadConfigText(nullptr, nullptr, kFirstRunFlagFile, &text));
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_EQ(g_errors[0], dir_ + "\\info\\InitFlag.flg");
    EXPECT_GT(g_errors[0].size(), 0u);
}

TEST_F(ConfigFiles, AFullPathPastMaxPathIsRefusedWholeAndNothingIsDoneUnderItsCutName) {
    // One name in Info\ so long that the full path passes MAX_PATH; what would fit of it names
    // another file of the same folder, which is there.
    const std::string folder = dir_ + "\\Info\\";
    const std::string name(MAX_PATH + 20 - folder.size(), 'k');
    ASSERT_LE(name.size(), 255u);
    const std::string whole = folder + name;
    const std::string cutName = whole.substr(folder.size(), MAX_PATH - 1 - folder.size());
    Put("Info\\" + cutName, "the other file");

    std::string text = "unchanged";
    EXPECT_FALSE(ReadConfigText(nullptr, nullptr, (".\\Info\\" + name).c_str(), &text));
    EXPECT_FALSE(SaveConfigText(nullptr, nullptr, (".\\Info\\" + name).c_str(), "1\n"));
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(g_errors, (std::vector<std::string>{whole, whole}));
    EXPECT_EQ(Bytes("Info\\" + cutName), "the other file");
    EXPECT_EQ(FilesInInfo(), 1);
}

TEST_F(ConfigFiles, FirstRunFlagRoundTripsThroughItsFile) {
    struct Case {
        const char* stored;
        int flag;
        const char* written;
    } cases[] = {
        {"0\r\n", 0, "0\r\n"},
        {"7\r\n", 7, "7\r\n"},
        {"", 0, "0\r\n"},
        {"junk", 0, "0\r\n"},
    };
    for (const Case& c : cases) {
        int flag = 0;
        Put("Info\\InitFlag.flg", c.stored);
        ASSERT_EQ(ReadFirstRunFlagFile(nullptr, nullptr, kFirstRunFlagFile, flag), 1);
        EXPECT_EQ(flag, c.flag) << c.stored;
        ASSERT_EQ(WriteFirstRunFlagFile(nullptr, nullptr, kFirstRunFlagFileAsWritten, flag), 1);
        EXPECT_EQ(Bytes("Info\\InitFlag.flg"), c.written) << c.stored;
    }
    EXPECT_TRUE(g_errors.empty());
}

TEST_F(ConfigFiles, KeyBindingsFileIsReadAndReplacedWhole) {
    KeyBindings keys;
    Put("Info\\keyvalue.cfg", "1\r\n#1p-Up 30\r\n#JoyStick 1\r\n");
    ASSERT_EQ(ReadKeyBindings(nullptr, nullptr, kKeyBindingsFile, keys), 1);
    EXPECT_EQ(keys.custom, 1);
    EXPECT_EQ(keys.bindings[0], 30);
    EXPECT_EQ(keys.joystick, 1);

    ResetKeyBindings(keys);
    ToggleJoystick(keys);
    ASSERT_EQ(WriteKeyBindings(nullptr, nullptr, kKeyBindingsFile, keys), 1);
    const std::string resetFile =
        "0\r\n#1p-Up 328\r\n#1p-Left 331\r\n#1p-Right 333\r\n#1p-Down 336\r\n#1p-Fire01 26\r\n"
        "#1p-Fire02 27\r\n#2p-Up 17\r\n#2p-Left 30\r\n#2p-Right 32\r\n#2p-Down 31\r\n#2p-Fire01 42\r\n"
        "#2p-Fire02 29\r\n#JoyStick 1\r\n";
    EXPECT_EQ(Bytes("Info\\keyvalue.cfg"), resetFile);
    EXPECT_EQ(keys.defaultsChosen, 0);
    EXPECT_TRUE(g_errors.empty());

    // A file that cannot be replaced is reported; it and the record stay as they were.
    BindKey(keys, 0, 17);
    SetFileAttributesA((dir_ + "\\Info\\keyvalue.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WriteKeyBindings(nullptr, nullptr, kKeyBindingsFile, keys), 0);
    EXPECT_EQ(Bytes("Info\\keyvalue.cfg"), resetFile);
    EXPECT_EQ(keys.bindings[0], 17);
    EXPECT_EQ(keys.custom, 1);

    SetFileAttributesA((dir_ + "\\Info\\keyvalue.cfg").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((dir_ + "\\Info\\keyvalue.cfg").c_str());
    EXPECT_EQ(ReadKeyBindings(nullptr, nullptr, kKeyBindingsFile, keys), 0);
    EXPECT_EQ(keys.bindings[0], 17);
    ASSERT_EQ(g_errors.size(), 2u);
    EXPECT_EQ(g_errors[0], dir_ + "\\info\\keyvalue.cfg");
    EXPECT_EQ(g_errors[1], g_errors[0]);
}
