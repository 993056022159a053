// The rules of the intro movie's wait, apart from the device that plays it.
//
// Start-up polls the movie device until the movie is over. It is over when the position has
// reached the length, when the device has stopped by itself (some devices stop a little short of
// the length they report), when a status query fails, or when the player presses Escape, which
// also pauses the device.
#pragma once

#include <cstdint>

namespace zorv {

// Device modes as the media control interface reports them.
enum MovieDeviceMode : uint32_t {
    kMovieModeNotReady = 524,
    kMovieModeStop = 525,
    kMovieModePlay = 526,
    kMovieModeRecord = 527,
    kMovieModeSeek = 528,
    kMovieModePause = 529,
    kMovieModeOpen = 530,
};

// What one round of the poll learnt. A query that failed leaves its `...Known` false.
struct MovieStatus {
    bool lengthKnown = false;
    uint32_t length = 0;
    bool positionKnown = false;
    uint32_t position = 0;
    bool modeKnown = false;
    uint32_t mode = 0;
    bool escape = false;  // Escape is down, or was pressed since the last query
};

enum class MoviePollStep {
    kKeepPolling,
    kEnded,         // played out, or the device cannot tell: close it
    kPauseThenEnd,  // the player pressed Escape
};

MoviePollStep NextMoviePollStep(const MovieStatus& status);

// The pause between two rounds of the poll: short enough that Escape answers within a frame or
// two, long enough that the wait costs next to no processor time.
constexpr unsigned kMoviePollIntervalMs = 10;

// Where the movie is drawn in the frame: from its top-left corner, as wide and high as the frame.
// The rectangle's last two members are extents, as the device expects them.
struct MovieRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};
MovieRect MovieDestination(int frameWidth, int frameHeight);

}  // namespace zorv
