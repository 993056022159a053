// The settings files the save stress test cuts short, each with the text it holds before the
// test and the text the saving program writes over it. The two differ in length and in every
// line, so any mixture of them, or a cut, is told apart from both.
#pragma once

#include "settings/game_files.h"

namespace zorv_test {

struct SaveKind {
    const char* relative;
    const char* oldText;
    const char* newText;
};

inline constexpr SaveKind kSaveKinds[] = {
    {zorv::kAudioSettingsFile, "0\nMusic 25\nSound 25\n", "1\nMusic 100\nSound 3\n"},
    {zorv::kKeyBindingsFile,
     "0\n#1p-Up 328\n#1p-Left 331\n#1p-Right 333\n#1p-Down 336\n#1p-Fire01 26\n#1p-Fire02 27\n#2p-Up 17\n"
     "#2p-Left 30\n#2p-Right 32\n#2p-Down 31\n#2p-Fire01 42\n#2p-Fire02 29\n#JoyStick 0\n",
     "1\n#1p-Up 17\n#1p-Left 30\n#1p-Right 32\n#1p-Down 31\n#1p-Fire01 42\n#1p-Fire02 29\n#2p-Up 328\n"
     "#2p-Left 331\n#2p-Right 333\n#2p-Down 336\n#2p-Fire01 26\n#2p-Fire02 27\n#JoyStick 1\n"},
    {zorv::kVideoSettingsFile, "0\n0\n0\n50\n", "3\n1\n2\n75\n"},
    {zorv::kFirstRunFlagFileAsWritten, "0\n", "1\n"},
    {zorv::kGameModeFile, "0\n1::9::8::7\n", "1\n12::31::23::59\n"},
};
inline constexpr int kSaveKindCount = sizeof kSaveKinds / sizeof kSaveKinds[0];

}  // namespace zorv_test
