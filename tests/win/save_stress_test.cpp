// A program saving a settings file is killed with TerminateProcess at random moments of its
// saves. Each time the file must afterwards hold the old or the new text whole, at most one
// temporary file may exist, and the next save must leave the settings file alone in its folder.
// ZORV_SAVE_STRESS_ROUNDS sets the number of kills (100 by default).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/handle_guards_win.h"
#include "save_kinds.h"
#include "settings/config_error_win.h"
#include "settings/config_file_win.h"
#include "settings/safe_save.h"
#include "test_child.h"

using namespace zorv;
using zorv_test::kSaveKindCount;
using zorv_test::kSaveKinds;

namespace {

std::string ReadBytes(const std::string& path) {
    std::string out;
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    char buf[1024];
    DWORD got = 0;
    while (ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    return out;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA f;
    FileSearch search(FindFirstFileA((dir + "\\*").c_str(), &f));
    if (!search) return names;
    do {
        if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(f.cFileName);
    } while (FindNextFileA(search.get(), &f));
    return names;
}

// Waits `micros` microseconds without giving up the processor, so that kills spread over the
// whole length of a save instead of landing on scheduler ticks.
void Spin(long long micros) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    do {
        QueryPerformanceCounter(&now);
    } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < micros);
}

void FailOnError(const char* path) { ADD_FAILURE() << "save refused: " << path; }

}  // namespace

TEST(SaveStress, KilledSavesLeaveOldOrNewTextAndAtMostOneTemporaryFile) {
    int rounds = 100;
    if (const char* text = std::getenv("ZORV_SAVE_STRESS_ROUNDS")) rounds = std::atoi(text);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "zorv_stress_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\Info").c_str(), nullptr);
    const std::string eventName = "zorv_save_loop_" + std::to_string(GetCurrentProcessId());
    KernelHandle startedEvent(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    HANDLE started = startedEvent.get();
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(root.c_str());
    SetConfigErrorSinkForTesting(FailOnError);

    std::mt19937 random(12345u + static_cast<unsigned>(GetTickCount()));
    int oldSeen = 0, newSeen = 0, straysSeen = 0, failures = 0;
    for (int round = 0; round < rounds && failures < 5; ++round) {
        const zorv_test::SaveKind& kind = kSaveKinds[round % kSaveKindCount];
        char full[MAX_PATH];
        GetFullPathNameA(kind.relative, MAX_PATH, full, nullptr);
        const std::string oldBytes = TextModeBytes(kind.oldText), newBytes = TextModeBytes(kind.newText);
        ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kind.relative, kind.oldText));

        ResetEvent(started);
        HANDLE process = zorv_test::StartTestChild("save " + std::to_string(round % kSaveKindCount) + " " + eventName);
        KernelHandle owner(process);
        ASSERT_TRUE(process != nullptr);
        HANDLE waits[2] = {started, process};
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 20000);
        if (woke == WAIT_OBJECT_0) Spin(std::uniform_int_distribution<int>(0, 4000)(random));
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        ASSERT_EQ(woke, WAIT_OBJECT_0) << "the save loop ended before saving, exit code " << code;

        const std::string bytes = ReadBytes(full);
        oldSeen += bytes == oldBytes;
        newSeen += bytes == newBytes;
        std::vector<std::string> files = FilesIn(root + "\\Info");
        const std::string name = std::string(full).substr(root.size() + 6);
        const std::string tempName = SaveTempPath(name);
        int strays = 0;
        for (const std::string& file : files) strays += file != name;
        for (const std::string& file : files) {
            if (file != name && file != tempName) ADD_FAILURE() << "round " << round << ": unexpected file " << file;
        }
        straysSeen += strays;
        if (bytes != oldBytes && bytes != newBytes) {
            ADD_FAILURE() << "round " << round << ": " << name << " holds neither text: [" << bytes << "]";
            ++failures;
        }
        EXPECT_LE(strays, 1) << "round " << round;

        // The next save takes the stray's place: the settings file is alone again.
        ASSERT_TRUE(SaveConfigText(nullptr, nullptr, kind.relative, kind.newText));
        EXPECT_EQ(FilesIn(root + "\\Info"), std::vector<std::string>{name}) << "round " << round;
        EXPECT_EQ(ReadBytes(full), newBytes);
        DeleteFileA(full);
    }
    std::printf("%d kills: old text %d, new text %d, a temporary file left %d times\n", rounds, oldSeen, newSeen,
                straysSeen);

    SetConfigErrorSinkForTesting(nullptr);
    SetCurrentDirectoryA(previous);
    for (const std::string& file : FilesIn(root + "\\Info")) DeleteFileA((root + "\\Info\\" + file).c_str());
    RemoveDirectoryA((root + "\\Info").c_str());
    RemoveDirectoryA(root.c_str());
}
