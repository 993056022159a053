// ".\info\Audio.cfg" on a real file system: text-mode lines, a save that leaves exactly the
// record's three lines, and files that cannot be opened (missing, locked, in a deep folder).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/audio_file_win.h"
#include "audio/audio_settings.h"
#include "platform/handle_guards_win.h"
#include "settings/config_error_win.h"
#include "settings/game_files.h"
#include "test_files_win.h"

using namespace zorv;

namespace {

std::vector<std::string> g_errors;
void CollectError(const char* path) { g_errors.push_back(path); }

std::string Show(const AudioSettings& s) {
    return std::to_string(s.customFlag) + "/" + std::to_string(s.music) + "/" + std::to_string(s.sound);
}

// A scratch game folder, made current for the test; `depth` adds a chain of long folder names
// in front of it.
class AudioFile : public ::testing::Test {
protected:
    void SetUp() override {
        g_errors.clear();
        SetConfigErrorSinkForTesting(CollectError);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "zorv_audio_" + std::to_string(GetCurrentProcessId());
        Make(dir_);
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        SetConfigErrorSinkForTesting(nullptr);
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            std::string file = *it + "\\info\\Audio.cfg";
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
            RemoveDirectoryA((*it + "\\info").c_str());
            RemoveDirectoryA(it->c_str());
        }
    }
    void Make(const std::string& dir) {
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "\\info").c_str(), nullptr);
        made_.push_back(dir);
        game_ = dir;
        SetCurrentDirectoryA(dir.c_str());
    }
    std::string File() const { return game_ + "\\info\\Audio.cfg"; }
    std::string Bytes() const { return zorv_test::ReadBytes(File()); }
    void Put(const std::string& bytes) const { ASSERT_TRUE(zorv_test::WriteBytes(File(), bytes)); }
    int FilesInInfo() const {
        int n = 0;
        WIN32_FIND_DATAA f;
        FileSearch search(FindFirstFileA((game_ + "\\info\\*").c_str(), &f));
        do {
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
        } while (FindNextFileA(search.get(), &f));
        return n;
    }

    std::string dir_;
    std::string game_;
    AudioSettings audio_;

private:
    char previous_[MAX_PATH];
    std::vector<std::string> made_;
};

}  // namespace

TEST_F(AudioFile, SaveLeavesExactlyTheThreeLinesItReadsBack) {
    Put("0\r\nSound 7\r\nMusic 44\r\nMusic 10\r\n" + std::string(300, '#') + "\r\n");
    audio_ = {9, 9, 9};
    ASSERT_TRUE(ReadAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    EXPECT_EQ(Show(audio_), "0/44/7");

    audio_ = {1, 30, 25};
    ASSERT_TRUE(WriteAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    EXPECT_EQ(Bytes(), "1\r\nMusic 30\r\nSound 25\r\n");
    EXPECT_EQ(FilesInInfo(), 1) << "no temporary file is left behind";

    audio_ = {};
    ASSERT_TRUE(ReadAudioSettings(nullptr, nullptr, ".\\Info\\audio.cfg", audio_));
    EXPECT_EQ(Show(audio_), "1/30/25");
    EXPECT_TRUE(g_errors.empty());
}

TEST_F(AudioFile, MissingOrLockedFileShowsItsFullPathAndChangesNothing) {
    audio_ = {1, 30, 5};
    EXPECT_FALSE(ReadAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    EXPECT_EQ(g_errors, std::vector<std::string>{File()});
    EXPECT_EQ(Show(audio_), "1/30/5");

    g_errors.clear();
    Put("1\r\nMusic 40\r\nSound 45\r\n");
    {
        KernelHandle lock(
            CreateFileA(File().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(ReadAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
        EXPECT_EQ(Show(audio_), "1/30/5");
        EXPECT_FALSE(WriteAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    }
    EXPECT_EQ(g_errors, (std::vector<std::string>{File(), File()}));
    EXPECT_EQ(Bytes(), "1\r\nMusic 40\r\nSound 45\r\n");
    EXPECT_EQ(FilesInInfo(), 1);
}

TEST_F(AudioFile, FolderDeeperThanEightyCharactersReadsSavesAndReportsWhole) {
    std::string deep = dir_;
    while (deep.size() < 160) {
        deep += "\\a folder with a rather long name";
        Make(deep);
    }
    ASSERT_GT(File().size(), 160u);

    EXPECT_FALSE(ReadAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    EXPECT_EQ(g_errors, std::vector<std::string>{File()});

    g_errors.clear();
    audio_ = {1, 12, 34};
    ASSERT_TRUE(WriteAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    audio_ = {};
    ASSERT_TRUE(ReadAudioSettings(nullptr, nullptr, kAudioSettingsFile, audio_));
    EXPECT_EQ(Show(audio_), "1/12/34");
    EXPECT_TRUE(g_errors.empty());
}
