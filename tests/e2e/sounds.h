// The program's interface sounds, counted in Wine's trace of the sound calls.
#ifndef ZORV_E2E_SOUNDS_H
#define ZORV_E2E_SOUNDS_H

#include <gtest/gtest.h>

#include <string>

#include "app.h"
#include "game_files.h"
#include "wait.h"

namespace zorv_e2e {

// The Wine debug channels that trace every sound the program plays.
inline constexpr char kSoundTraceChannels[] = "-all,+winmm";

// Sound calls in Wine's trace of winmm (Wine 8). The program's thread writes
//   trace:winmm:MULTIMEDIA_PlaySound pszSound='00432354' hmod=00000000 fdwSound=00000003
// for every call, at once, and the thread that plays it then writes
//   trace:winmm:proc_PlaySound SoundName=L".\\sound\\mmove.wav" !
// with the name as given (backslashes doubled).
struct SoundCounts {
    int calls = 0;  // MULTIMEDIA_PlaySound lines
    int named = 0;  // SoundName lines, any sound
    int hover = 0;  // SoundName lines of the hover sound
    int click = 0;  // SoundName lines of the click sound
    std::string Text() const;
};
SoundCounts CountSounds(const std::string& trace);

// Waits until every sound call made so far has named its sound, then compares the counts of
// hover and click sounds. The program must run with TraceWine(kSoundTraceChannels).
::testing::AssertionResult SoundsPlayed(const App& app, int hover, int click, DWORD timeout_ms = kWindowTimeout);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_SOUNDS_H
