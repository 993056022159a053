// The video calibration's files and driver installation on a real Windows file system: full
// paths in the error dialog, the saved lines, and libraries copied into or removed from the
// game folder, also from driver folders whose paths come close to MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/handle_guards_win.h"
#include "settings/config_error_win.h"
#include "test_files_win.h"
#include "video/driver_install_win.h"
#include "video/video_files.h"
#include "video/video_files_win.h"

using namespace zorv;

namespace {

std::vector<std::string> g_errors;
void CollectError(const char* path) { g_errors.push_back(path); }

// A scratch game folder that becomes the current directory, removed with all it holds.
class VideoFiles : public ::testing::Test {
protected:
    void SetUp() override {
        g_errors.clear();
        SetConfigErrorSinkForTesting(CollectError);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        game_ = std::string(temp) + "zorv_video_" + std::to_string(GetCurrentProcessId());
        Remove(game_);
        CreateDirectoryA(game_.c_str(), nullptr);
        CreateDirectoryA((game_ + "\\info").c_str(), nullptr);
        CreateDirectoryA((game_ + "\\Driver").c_str(), nullptr);
        SetCurrentDirectoryA(game_.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        SetConfigErrorSinkForTesting(nullptr);
        Remove(game_);
    }
    static void Remove(const std::string& path) {
        WIN32_FIND_DATAA f;
        FileSearch search(FindFirstFileA((path + "\\*").c_str(), &f));
        if (search) {
            do {
                std::string name = f.cFileName;
                if (name == "." || name == "..") continue;
                std::string child = path + "\\" + name;
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
                else DeleteFileA(child.c_str());
            } while (FindNextFileA(search.get(), &f));
        }
        RemoveDirectoryA(path.c_str());
    }
    std::string Bytes(const std::string& relative) { return zorv_test::ReadBytes(game_ + "\\" + relative); }
    void Put(const std::string& relative, const std::string& bytes) {
        ASSERT_TRUE(zorv_test::WriteBytes(game_ + "\\" + relative, bytes)) << relative;
    }
    // A local driver folder under Driver\ holding the libraries named in `libraries`.
    void MakeDriver(const std::string& directory, std::initializer_list<const char*> libraries) {
        std::string folder = "Driver\\" + directory;
        CreateDirectoryA((game_ + "\\" + folder).c_str(), nullptr);
        for (const char* library : libraries) Put(folder + "\\" + library, std::string(library) + " of " + directory);
    }
    void LoadDriverList(const std::string& text) {
        Put(kDriverListFile, text);
        ASSERT_EQ(ReadDriverList(nullptr, nullptr, kDriverListFile, drivers_), 1);
    }

    char previous_[MAX_PATH];
    std::string game_;
    VideoSettings video_;
    DriverList drivers_;
};

}  // namespace

TEST_F(VideoFiles, SettingsAndDriverListReadAndSaveThroughTheirFullPaths) {
    Put(kVideoSettingsFile, "1\r\n2\r\n0\r\n30\r\n");
    Put(kDriverListFile, "2\r\n#D  Two blanks\r\n#N First\r\n#D B\r\n#N Second\r\n1\r\n640 480 16\r\nLast\r\n");
    ASSERT_EQ(ReadVideoSettings(nullptr, nullptr, kVideoSettingsFile, video_), 1);
    ASSERT_EQ(ReadDriverList(nullptr, nullptr, kDriverListFile, drivers_), 1);
    EXPECT_EQ(video_.driverIndex, 2);
    EXPECT_EQ(video_.level, 30);
    EXPECT_STREQ(drivers_.directories[0], " Two blanks");
    EXPECT_STREQ(drivers_.names[1], "Second");
    EXPECT_STREQ(drivers_.lastModeLabel, "Last") << "no CR from the CR LF line end";

    video_ = VideoSettings{0, 0, 0, 80};
    ASSERT_EQ(WriteVideoSettings(nullptr, nullptr, kVideoSettingsFile, video_), 1);
    EXPECT_EQ(Bytes("info\\video.cfg"), "0\r\n0\r\n0\r\n80\r\n");
    EXPECT_TRUE(g_errors.empty());

    // A read-only file is left as it was and reported; so are missing files.
    SetFileAttributesA((game_ + "\\info\\video.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
    video_.level = 10;
    EXPECT_EQ(WriteVideoSettings(nullptr, nullptr, kVideoSettingsFile, video_), 0);
    EXPECT_EQ(Bytes("info\\video.cfg"), "0\r\n0\r\n0\r\n80\r\n");
    SetFileAttributesA((game_ + "\\info\\video.cfg").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((game_ + "\\info\\video.cfg").c_str());
    DeleteFileA((game_ + "\\info\\Driver.dat").c_str());
    EXPECT_EQ(ReadVideoSettings(nullptr, nullptr, kVideoSettingsFile, video_), 0);
    EXPECT_EQ(ReadDriverList(nullptr, nullptr, kDriverListFile, drivers_), 0);
    const std::vector<std::string> expected = {game_ + "\\info\\video.cfg", game_ + "\\info\\video.cfg",
                                               game_ + "\\info\\Driver.dat"};
    EXPECT_EQ(g_errors, expected);
}

TEST_F(VideoFiles, LocalDriversAreCopiedAndEveryOtherChoiceRemovesTheCopies) {
    MakeDriver("DirA", {"Opengl32.dll", "Glu32.dll"});
    MakeDriver("DirB", {"Opengl32.dll", "Glu32.dll"});
    MakeDriver("DirC", {"Opengl32.dll"});
    LoadDriverList(
        "6\n#D System\n#N S\n#D DirA\n#N A\n#D DirB\n#N B\n#D DirC\n#N C\n#D Other\n#N O\n"
        "#D\n#N Last\n1\n640 480 16\nL\n");

    InstallDriver(drivers_, 1);
    InstallDriver(drivers_, 2);  // replaces the copies of driver 1
    EXPECT_EQ(Bytes("Opengl32.dll"), "Opengl32.dll of DirB");
    EXPECT_EQ(Bytes("Glu32.dll"), "Glu32.dll of DirB");
    EXPECT_EQ(Bytes("Driver\\DirB\\Glu32.dll"), "Glu32.dll of DirB") << "the source stays";

    // A driver folder without one of the files still gives the other, and no library of the
    // driver before is left beside it.
    InstallDriver(drivers_, 3);
    EXPECT_EQ(Bytes("Opengl32.dll"), "Opengl32.dll of DirC");
    EXPECT_EQ(Bytes("Glu32.dll"), "<missing>");

    for (int other : {0, 4, 5, 25, -1}) {
        InstallDriver(drivers_, 1);
        ASSERT_EQ(Bytes("Glu32.dll"), "Glu32.dll of DirA");
        InstallDriver(drivers_, other);
        EXPECT_EQ(Bytes("Opengl32.dll"), "<missing>") << other;
        EXPECT_EQ(Bytes("Glu32.dll"), "<missing>") << other;
    }
    InstallDriver(drivers_, 0);  // nothing to remove is no failure

    // A copy from a read-only medium can still be removed later.
    SetFileAttributesA((game_ + "\\Driver\\DirA\\Glu32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    InstallDriver(drivers_, 1);
    InstallDriver(drivers_, 0);
    EXPECT_EQ(Bytes("Glu32.dll"), "<missing>");

    // An index 1 to 3 that the list does not have installs nothing local.
    LoadDriverList("2\n#D System\n#N S\n#D DirA\n#N A\n1\n640 480 16\nL\n");
    InstallDriver(drivers_, 2);
    EXPECT_EQ(Bytes("Opengl32.dll"), "<missing>");
}

TEST_F(VideoFiles, CopiesLandInTheGameFolderWhateverTheFolderNameOrLength) {
    // A directory name with a backslash in it, one with "..", and one that ends in a backslash.
    CreateDirectoryA((game_ + "\\Driver\\Maker").c_str(), nullptr);
    MakeDriver("Maker\\Deep", {"Opengl32.dll", "Glu32.dll"});
    CreateDirectoryA((game_ + "\\Other").c_str(), nullptr);
    Put("Other\\Glu32.dll", "Glu32.dll of Other");
    Put("Other\\Opengl32.dll", "Opengl32.dll of Other");
    MakeDriver("Slash", {"Opengl32.dll", "Glu32.dll"});
    LoadDriverList("4\n#D S\n#N S\n#D Maker\\Deep\n#N A\n#D ..\\Other\n#N B\n#D Slash\\\n#N C\n1\n1 2 3\nL\n");
    const struct {
        int driver;
        const char* expected;
    } cases[] = {{1, "Maker\\Deep"}, {2, "Other"}, {3, "Slash"}};
    for (const auto& c : cases) {
        InstallDriver(drivers_, c.driver);
        EXPECT_EQ(Bytes("Opengl32.dll"), std::string("Opengl32.dll of ") + c.expected);
        EXPECT_EQ(Bytes("Glu32.dll"), std::string("Glu32.dll of ") + c.expected);
    }
    EXPECT_EQ(Bytes("Driver\\Opengl32.dll"), "<missing>");

    // A game folder so deep that the driver library's full path takes all of MAX_PATH but
    // the terminating zero.
    const std::string longName(kDriverDirectorySize - 1, 'd');
    const std::string tail = "\\Driver\\" + longName + kOpenGlLibrary;
    const size_t depth = MAX_PATH - 1 - tail.size() - game_.size() - 1;
    ASSERT_GT(depth, 0u);
    const std::string deep(depth, 'g');
    CreateDirectoryA((game_ + "\\" + deep).c_str(), nullptr);
    CreateDirectoryA((game_ + "\\" + deep + "\\info").c_str(), nullptr);
    CreateDirectoryA((game_ + "\\" + deep + "\\Driver").c_str(), nullptr);
    CreateDirectoryA((game_ + "\\" + deep + "\\Driver\\" + longName).c_str(), nullptr);
    for (const char* library : {"Opengl32.dll", "Glu32.dll"})
        Put(deep + "\\Driver\\" + longName + "\\" + library, std::string(library) + " of the deep folder");
    Put(deep + "\\info\\Driver.dat", "2\n#D S\n#N S\n#D " + longName + "\n#N Long\n1\n1 2 3\nL\n");
    ASSERT_TRUE(SetCurrentDirectoryA((game_ + "\\" + deep).c_str()));
    ASSERT_EQ(ReadDriverList(nullptr, nullptr, kDriverListFile, drivers_), 1);
    ASSERT_EQ((game_ + "\\" + deep + tail).size(), static_cast<size_t>(MAX_PATH - 1));
    InstallDriver(drivers_, 1);
    EXPECT_EQ(Bytes(deep + "\\Opengl32.dll"), "Opengl32.dll of the deep folder");
    EXPECT_EQ(Bytes(deep + "\\Glu32.dll"), "Glu32.dll of the deep folder");

    // The functions behind it, with the relative and full paths they take.
    InstallDriver(drivers_, 0);
    EXPECT_EQ(Bytes(deep + "\\Glu32.dll"), "<missing>");
    EXPECT_EQ(CopyDriverFile((game_ + "\\" + deep + "\\Driver\\" + longName).c_str(), kGluLibrary), 1);
    EXPECT_EQ(Bytes(deep + "\\Glu32.dll"), "Glu32.dll of the deep folder");
    RemoveLocalFile(kLocalGluLibrary);
    EXPECT_EQ(Bytes(deep + "\\Glu32.dll"), "<missing>");
    char folder[MAX_PATH];
    EXPECT_TRUE(DriverFolder(drivers_, 1, folder));
    EXPECT_EQ(std::string(folder), ".\\Driver\\" + longName);
    EXPECT_FALSE(DriverFolder(drivers_, 2, folder));
    EXPECT_STREQ(folder, "");
}
