#include "startup/intro_movie_win.h"

#include <mmsystem.h>

// After mmsystem.h, whose types it uses.
#include <digitalv.h>

#include "platform/message_box_win.h"
#include "platform/multimedia_win.h"
#include "platform/unique_handle.h"
#include "startup/intro_movie.h"

namespace zorv {

static_assert(kMovieModeNotReady == MCI_MODE_NOT_READY && kMovieModeStop == MCI_MODE_STOP &&
                  kMovieModePlay == MCI_MODE_PLAY && kMovieModeRecord == MCI_MODE_RECORD &&
                  kMovieModeSeek == MCI_MODE_SEEK && kMovieModePause == MCI_MODE_PAUSE &&
                  kMovieModeOpen == MCI_MODE_OPEN,
              "device modes as the media control interface numbers them");

namespace {

void CloseDevice(MCIDEVICEID device) { MciSendCommand(device, MCI_CLOSE, 0, 0); }

// The open device, closed on every way out, and the parameters of its play, which the pause reuses.
struct Movie {
    UniqueHandle<CloseWith<MCIDEVICEID, CloseDevice>> id;
    MCI_PLAY_PARMS play = {};
};

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

bool QueryStatus(const Movie& movie, DWORD item, uint32_t* value) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    if (MciSendCommand(movie.id.get(), MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0)
        return false;
    *value = static_cast<uint32_t>(status.dwReturn);
    return true;
}

bool OpenMovie(Movie& movie, const char* file) {
    MCI_DGV_OPEN_PARMSA open = {};
    open.lpstrDeviceType = const_cast<LPSTR>("AVIVideo");
    open.lpstrElementName = const_cast<LPSTR>(file);
    if (MciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_DGV_OPEN_WS,
                       reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return false;
    movie.id.reset(open.wDeviceID);
    return true;
}

void StartMovie(Movie& movie, HWND frame, int width, int height) {
    MovieRect dest = MovieDestination(width, height);
    MCI_DGV_PUT_PARMS put = {};
    put.rc = RECT{dest.left, dest.top, dest.width, dest.height};
    MciSendCommand(movie.id.get(), MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT, reinterpret_cast<DWORD_PTR>(&put));
    MCI_DGV_WINDOW_PARMSA window = {};
    window.hWnd = frame;
    MciSendCommand(movie.id.get(), MCI_WINDOW, MCI_DGV_WINDOW_HWND, reinterpret_cast<DWORD_PTR>(&window));
    movie.play = MCI_PLAY_PARMS{};
    MciSendCommand(movie.id.get(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&movie.play));
}

// Polls without handling messages: the device draws by itself. A short sleep keeps the wait
// cheap, and a look at the queue that removes nothing keeps the system from taking the frame for
// a hung window during a long movie.
void WaitForMovie(Movie& movie) {
    MovieStatus status;
    status.lengthKnown = QueryStatus(movie, MCI_STATUS_LENGTH, &status.length);
    for (;;) {
        status.positionKnown = QueryStatus(movie, MCI_STATUS_POSITION, &status.position);
        status.modeKnown = QueryStatus(movie, MCI_STATUS_MODE, &status.mode);
        status.escape = GetAsyncKeyState(VK_ESCAPE) != 0;
        switch (NextMoviePollStep(status)) {
        case MoviePollStep::kKeepPolling: break;
        case MoviePollStep::kEnded: return;
        case MoviePollStep::kPauseThenEnd:
            MciSendCommand(movie.id.get(), MCI_PAUSE, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&movie.play));
            return;
        }
        Sleep(kMoviePollIntervalMs);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
}

}  // namespace

void PlayIntroMovie(HWND frame, const char* file, int width, int height) {
    // No file, no device: opening the device for a missing file would only load the video
    // libraries to fail.
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) return;
    Movie movie;
    if (!OpenMovie(movie, file)) return;
    // The key's "pressed since the last call" state is shared by every program: an Escape pressed
    // before the movie was opened, in another program or earlier, must not end it. Read once here
    // to clear it; from now on a press counts, also one that answers the notice.
    GetAsyncKeyState(VK_ESCAPE);
    if (IsNtFamily()) ShowMessage("Starting AVI");
    StartMovie(movie, frame, width, height);
    WaitForMovie(movie);
}

}  // namespace zorv
