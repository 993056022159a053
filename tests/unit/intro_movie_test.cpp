// The intro movie's wait: when start-up stops polling the device, and whether it pauses it.
#include <gtest/gtest.h>

#include "startup/intro_movie.h"

namespace zorv {
namespace {

TEST(IntroMoviePoll, EndsAtTheEndWhenTheDeviceStopsOrCannotTellAndPausesOnEscape) {
    using Step = MoviePollStep;
    // length known, length, position known, position, mode known, mode, escape
    struct Case {
        const char* what;
        MovieStatus status;
        Step step;
    } cases[] = {
        {"playing", {true, 2000, true, 100, true, kMovieModePlay, false}, Step::kKeepPolling},
        {"starting up", {true, 2000, true, 0, true, kMovieModeNotReady, false}, Step::kKeepPolling},
        {"seeking", {true, 2000, true, 0, true, kMovieModeSeek, false}, Step::kKeepPolling},
        {"position reached the length", {true, 2000, true, 2000, true, kMovieModePlay, false}, Step::kEnded},
        {"position past the length", {true, 2000, true, 0xFFFFFFFFu, true, kMovieModePlay, false}, Step::kEnded},
        {"stopped short of the length", {true, 2000, true, 1900, true, kMovieModeStop, false}, Step::kEnded},
        {"paused by someone else", {true, 2000, true, 500, true, kMovieModePause, false}, Step::kEnded},
        {"length query failed", {false, 0, true, 0, true, kMovieModePlay, false}, Step::kEnded},
        {"position query failed", {true, 2000, false, 0, true, kMovieModePlay, false}, Step::kEnded},
        {"mode query failed", {true, 2000, true, 100, false, 0, false}, Step::kEnded},
        {"Escape while playing", {true, 2000, true, 0, true, kMovieModePlay, true}, Step::kPauseThenEnd},
        {"Escape at the end: nothing left to pause",
         {true, 2000, true, 2000, true, kMovieModePlay, true},
         Step::kEnded},
        {"Escape after the device stopped", {true, 2000, true, 1900, true, kMovieModeStop, true}, Step::kEnded},
        {"Escape with no device", {false, 0, false, 0, false, 0, true}, Step::kEnded},
    };
    for (const Case& c : cases) EXPECT_EQ(NextMoviePollStep(c.status), c.step) << c.what;
}

}  // namespace
}  // namespace zorv
