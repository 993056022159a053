#include "startup/intro_movie.h"

namespace zorv {

namespace {

// Still on its way: playing, or about to (a device may report these while it starts).
bool StillPlaying(uint32_t mode) {
    return mode == kMovieModePlay || mode == kMovieModeSeek || mode == kMovieModeNotReady;
}

}  // namespace

MoviePollStep NextMoviePollStep(const MovieStatus& status) {
    if (!status.lengthKnown || !status.positionKnown) return MoviePollStep::kEnded;
    if (status.position >= status.length) return MoviePollStep::kEnded;
    if (!status.modeKnown || !StillPlaying(status.mode)) return MoviePollStep::kEnded;
    if (status.escape) return MoviePollStep::kPauseThenEnd;
    return MoviePollStep::kKeepPolling;
}

MovieRect MovieDestination(int frameWidth, int frameHeight) { return MovieRect{0, 0, frameWidth, frameHeight}; }

}  // namespace zorv
