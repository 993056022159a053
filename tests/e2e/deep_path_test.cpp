// A game folder as deep as Windows allows: its longest file path one character short of
// MAX_PATH. The program starts there, runs the game, opens every settings screen and saves every
// settings file it keeps, and its error dialog shows the whole path of a file that cannot be
// written. The test command runs it once more in a prefix set to Windows 98 and one set to NT 4.0
// (ZORV_FAMILY names it); there the intro movie plays, after the notice only the NT family shows.
// A game folder named in letters the system's code page lacks starts, saves and runs the game too.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "audio/audio_buttons.h"
#include "driver.h"
#include "howtoplay/howto_buttons.h"
#include "keys/key_buttons.h"
#include "video/video_buttons.h"

namespace zorv_e2e {
namespace {

inline constexpr const ButtonSpec& kAudioDone = ButtonOf(zorv::kAudioTable, zorv::kCommandAudioDone);
inline constexpr const ButtonSpec& kKeysDone = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandKeysDone);
inline constexpr const ButtonSpec& kVideoDone = ButtonOf(zorv::kVideoTable, zorv::kCommandVideoDone);
inline constexpr const ButtonSpec& kHowToClose = ButtonOf(zorv::kHowToPlayTable, zorv::kCommandCloseHowToPlay);
// A local driver: choosing it installs the two libraries of its folder.
constexpr int kLocalDriver = 3;

// The folder of the driver list's entry: its "#D" line.
std::string DriverFolderOf(const std::string& list, int entry) {
    size_t at = 0;
    for (int i = 0; i <= entry; ++i) {
        at = list.find("#D ", at);
        if (at == std::string::npos) return std::string();
        at += 3;
    }
    return list.substr(at, list.find_first_of("\r\n", at) - at);
}

// The longest path below `folder`, relative to it.
size_t LongestRelative(const std::string& folder, const std::string& prefix = "") {
    size_t longest = 0;
    WIN32_FIND_DATAA found;
    zorv::FileSearch search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!search) return 0;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string relative = prefix.empty() ? name : prefix + "\\" + name;
        longest = std::max(longest, relative.size());
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            longest = std::max(longest, LongestRelative(JoinPath(folder, name), relative));
        }
    } while (FindNextFileA(search.get(), &found));
    return longest;
}

bool NtFamily() { return (GetVersion() & 0x80000000u) == 0; }

class DeepFolder : public GameTest {
protected:
    // Copies the game folder into nested folders of the scratch folder, so deep that its
    // longest path is MAX_PATH - 1 characters long.
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(folder().ok()) << folder().error();
        // The program also writes these names, which the installed folder does not hold yet.
        const size_t longest = std::max(LongestRelative(folder().path()), JoinPath("", kGameModeFile).size());
        deep_ = folder().path();
        const size_t target = MAX_PATH - 1 - 1 - longest;
        ASSERT_LT(deep_.size() + 3, target);
        while (deep_.size() < target) {
            const size_t room = target - deep_.size() - 1;
            deep_ += "\\" + std::string(std::min<size_t>(room, 200), 'd');
            if (deep_.size() == target - 1) deep_ += 'd';
            ASSERT_TRUE(CreateDirectoryA(deep_.c_str(), nullptr)) << deep_;
        }
        ASSERT_EQ(target, deep_.size());
        // The copy leaves the intro movie out, as the scratch folder does, but in a family's prefix.
        ASSERT_TRUE(CopyTree(GameFolder(), deep_));
        if (family_.empty()) {
            DeleteFileA(Deep(kIntroMovie).c_str());
        } else {
            // The prefix's version, which the program sees as this test does.
            ASSERT_EQ(family_ == "nt40", NtFamily()) << "the prefix is not set to " << family_;
            ASSERT_EQ(4, LOBYTE(LOWORD(GetVersion()))) << "the prefix is not set to " << family_;
        }
    }

    std::string Deep(const std::string& relative) const { return JoinPath(deep_, relative); }

    void Write(const std::string& relative, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile(Deep(relative), bytes)) << relative;
    }
    std::string Read(const std::string& relative) {
        std::string bytes;
        return ReadWholeFile(Deep(relative), &bytes) ? bytes : "<missing>";
    }

    void OpenOptions(MenuView& menu) {
        menu.ClickAt(kOption);
        ASSERT_TRUE(menu.ShowsWhole(kOptionsScreen));
    }

    // Opens a screen from the options menu and presses its DONE, which saves its file.
    void SaveThrough(MenuView& menu, const ButtonSpec& opener, int control, const ButtonSpec& done) {
        menu.ClickAt(opener);
        // The audio screen tells what this machine's mixer lacks first; those boxes are passed over.
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                for (HWND box : TopLevelWindows(app().pid(), kDialogClass, kMessageCaption)) {
                    if (IsShown(box)) DismissMessageBox(box);
                }
                return (dialog = FindDialogWith(app().pid(), control)) != nullptr;
            },
            kWindowTimeout);
        ASSERT_TRUE(dialog != nullptr) << "the screen of " << NameOf(opener) << " did not open";
        const POINT p = Centre(done);
        SendNotifyMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ASSERT_TRUE(WaitUntilGone(dialog)) << NameOf(opener) << ": DONE left the screen open";
        ASSERT_TRUE(menu.ShowsBackground(kOptionsScreen));
    }

    // VIDEO CALIBRATION: choose a local driver, confirm the note, DONE
    // installs it and saves the settings.
    void InstallThroughVideo(MenuView& menu) {
        menu.ClickAt(kVideo);
        HWND dialog = WaitForDialogWith(app().pid(), IDC_VIDEO_DRIVERS);
        ASSERT_TRUE(dialog != nullptr) << "the video screen did not open";
        HWND list = GetDlgItem(dialog, IDC_VIDEO_DRIVERS);
        SendMessageA(list, CB_SETCURSEL, kLocalDriver, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_VIDEO_DRIVERS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        HWND note = WaitForDialogWith(app().pid(), IDC_DRIVER_INSTALLED_OK);
        ASSERT_TRUE(note != nullptr) << "no driver note";
        ASSERT_TRUE(ClickDialogButton(note, IDC_DRIVER_INSTALLED_OK));
        ASSERT_TRUE(WaitUntilGone(note));
        const POINT p = Centre(kVideoDone);
        SendNotifyMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ASSERT_TRUE(WaitUntilGone(dialog)) << "DONE left the video screen open";
    }

    std::string deep_;
    const std::string family_ = std::getenv("ZORV_FAMILY") ? std::getenv("ZORV_FAMILY") : "";
};

TEST_F(DeepFolder, StartsSavesEverySettingsFileAndShowsTheWholePathOfAnError) {
    // Line ends the program does not write, so that each save shows.
    Write(kAudioSettingsFile, "0\nMusic 25\nSound 25\n");
    std::string keys = Read(kKeyBindingsFile);
    keys.erase(std::remove(keys.begin(), keys.end(), '\r'), keys.end());
    Write(kKeyBindingsFile, keys);
    Write(kFirstRunFlagFile, "1\n");
    Write(kVideoSettingsFile, "0\n0\n0\n50\n");
    Write(kStandInInstructions, "stay=0\nlog=0\n");
    ASSERT_FALSE(FileExists(Deep(kGameModeFile)));
    if (family_.empty()) {
        ASSERT_TRUE(zorv_e2e::StartToMenu(app(), deep_));
    } else {
        // Any box but the NT family's notice fails the wait for the menu.
        ASSERT_TRUE(app().Start(deep_));
        if (NtFamily()) {
            ASSERT_TRUE(ExpectMessages(app().pid(), {kIntroNotice}));
        }
        ASSERT_TRUE(app().WaitForMenu(kStartTimeout, {}));
    }
    {
        MenuView menu(app().Menu(), Deep(kProgramFile), deep_);
        ASSERT_TRUE(menu.ok()) << menu.error();
        menu.ClickAt(kStartGame);
        ASSERT_TRUE(WaitFor([&] { return FileExists(Deep(kStandInReport)); }, kStartTimeout)) << "the game did not run";
        ASSERT_TRUE(WaitFor([&] { return IsShown(app().Menu()) && !IsIconic(app().Frame()); }, kWindowTimeout));
        ASSERT_TRUE(menu.ShowsWhole(kMainScreen));
        ASSERT_NO_FATAL_FAILURE(OpenOptions(menu));
        ASSERT_NO_FATAL_FAILURE(SaveThrough(menu, kAudio, IDC_AUDIO_MUSIC, kAudioDone));
        ASSERT_NO_FATAL_FAILURE(SaveThrough(menu, kSetupInput, IDC_KEY_1P_UP, kKeysDone));
        ASSERT_NO_FATAL_FAILURE(InstallThroughVideo(menu));
        menu.ClickAt(kHowToPlay);
        HWND pages = WaitForDialog(app().pid());
        ASSERT_TRUE(pages != nullptr) << "the how-to-play screen did not open";
        const POINT close = Centre(kHowToClose);
        SendNotifyMessageA(pages, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.x, close.y));
        ASSERT_TRUE(WaitUntilGone(pages));
        menu.ClickAt(kClose);
        ASSERT_TRUE(menu.ShowsWhole(kMainScreen));
        menu.ClickAt(kQuit);
    }
    ExitResult exit = app().WaitForExit();
    ASSERT_TRUE(exit.ended);
    EXPECT_EQ(0u, exit.code);
    EXPECT_EQ("1\r\n", Read(kFirstRunFlagFile));
    EXPECT_EQ("0\r\nMusic 25\r\nSound 25\r\n", Read(kAudioSettingsFile));
    EXPECT_NE(std::string::npos, Read(kKeyBindingsFile).find("\r\n")) << Read(kKeyBindingsFile);
    EXPECT_EQ(0u, Read(kGameModeFile).find("0\r\n")) << Read(kGameModeFile);
    // The flag line, then the driver: each line ended the way the program writes it.
    EXPECT_EQ("\r\n" + std::to_string(kLocalDriver) + "\r\n", Read(kVideoSettingsFile).substr(1, 5))
        << Read(kVideoSettingsFile);
    for (const char* library : {"Opengl32.dll", "Glu32.dll"}) {
        const std::string folder = DriverFolderOf(Read(kDriverListFile), kLocalDriver);
        std::string installed = Read(library), source = Read("Driver\\" + folder + "\\" + library);
        EXPECT_NE("<missing>", installed) << library;
        EXPECT_EQ(source, installed) << library;
    }

    // A second run: with the audio file held, opening its screen brings up the error dialog,
    // which shows the whole path.
    App second;
    ASSERT_TRUE(zorv_e2e::StartToMenu(second, deep_));
    FileHold hold(Deep(kAudioSettingsFile));
    ASSERT_TRUE(hold.ok());
    {
        MenuView menu(second.Menu(), Deep(kProgramFile), deep_);
        ASSERT_NO_FATAL_FAILURE(OpenOptions(menu));
        menu.ClickAt(kAudio);
    }
    HWND error = WaitForDialogWith(second.pid(), IDC_CONFIG_ERROR_TEXT);
    ASSERT_TRUE(error != nullptr) << "no configuration-file error dialog";
    const std::string shown = DialogItemText(error, IDC_CONFIG_ERROR_TEXT);
    EXPECT_EQ(Deep(kAudioSettingsFile), shown);
    EXPECT_GT(shown.size(), static_cast<size_t>(MAX_PATH - 40));
    ASSERT_TRUE(ClickDialogButton(error, IDC_CONFIG_ERROR_OK));
    exit = second.WaitForExit();
    ASSERT_TRUE(exit.ended);
    EXPECT_EQ(1u, exit.code);
}

// A game folder named in Cyrillic and Chinese letters, which a Western system's narrow names spell
// as `?`: the program starts there with no message, finds the controller, runs the game, saves a
// settings file and names a file it cannot open in the folder's own letters. A later start from
// there hands over to it; a twin folder whose name differs only in such letters is a folder of
// its own. The driver reaches both folders by their short names.
class ForeignFolder : public DeepFolder {
protected:
    void SetUp() override { GameTest::SetUp(); }
};

TEST_F(ForeignFolder, StartsRunsTheGameSavesAndIsAFolderOfItsOwn) {
    // "Игры 遊戲" and "Игры 中文": spelt alike by any single-byte code page.
    const std::string home = MakeForeignFolder(folder().path(), L"\u0418\u0433\u0440\u044b \u904a\u6232");
    const std::string twin = MakeForeignFolder(folder().path(), L"\u0418\u0433\u0440\u044b \u4e2d\u6587");
    ASSERT_FALSE(home.empty() || twin.empty()) << "the folders or their short names cannot be made";
    for (const std::string& game : {twin, home}) {
        deep_ = game;
        ASSERT_TRUE(CopyTree(GameFolder(), game));
        DeleteFileA(Deep(kIntroMovie).c_str());
        Write(kFirstRunFlagFile, "1\n");
        Write(kStandInInstructions, "stay=0\nlog=0\n");
        Write(kAudioSettingsFile, "0\nMusic 25\nSound 25\n");
    }
    StandInController controller;
    ASSERT_TRUE(controller.Install(home));
    app().StartInLongName();
    ASSERT_TRUE(zorv_e2e::StartToMenu(app(), home));
    EXPECT_TRUE(controller.WaitForPolling(app().Menu())) << "the look found no controller";
    {
        MenuView menu(app().Menu(), Deep(kProgramFile), deep_);
        ASSERT_TRUE(menu.ok()) << menu.error();
        menu.ClickAt(kStartGame);
        ASSERT_TRUE(WaitFor([&] { return FileExists(Deep(kStandInReport)); }, kStartTimeout)) << "the game did not run";
        ASSERT_TRUE(WaitFor([&] { return IsShown(app().Menu()) && !IsIconic(app().Frame()); }, kWindowTimeout));
        ASSERT_NO_FATAL_FAILURE(OpenOptions(menu));
        ASSERT_NO_FATAL_FAILURE(SaveThrough(menu, kAudio, IDC_AUDIO_MUSIC, kAudioDone));
    }
    EXPECT_EQ("0\r\nMusic 25\r\nSound 25\r\n", Read(kAudioSettingsFile));
    App again, other;
    again.StartInLongName();
    ASSERT_TRUE(again.Start(home));
    const ExitResult handed = again.WaitForExit();
    EXPECT_TRUE(handed.ended && handed.code == 0) << "a later start from the folder did not hand over";

    other.StartInLongName();
    ASSERT_TRUE(zorv_e2e::StartToMenu(other, twin)) << "the twin folder's front-end";
    FileHold hold(JoinPath(twin, kAudioSettingsFile));
    ASSERT_TRUE(hold.ok());
    {
        MenuView menu(other.Menu(), JoinPath(twin, kProgramFile), twin);
        ASSERT_NO_FATAL_FAILURE(OpenOptions(menu));
        menu.ClickAt(kAudio);
    }
    HWND error = WaitForDialogWith(other.pid(), IDC_CONFIG_ERROR_TEXT);
    ASSERT_TRUE(error != nullptr) << "no configuration-file error dialog";
    wchar_t shown[MAX_PATH] = {};
    SendMessageW(GetDlgItem(error, IDC_CONFIG_ERROR_TEXT), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(0, lstrcmpiW(LongName(JoinPath(twin, kAudioSettingsFile)).c_str(), shown)) << "the path is misspelt";
    EXPECT_TRUE(app().IsRunning());
}

}  // namespace
}  // namespace zorv_e2e
