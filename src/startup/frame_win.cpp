#include "startup/frame_win.h"

#include <cstdio>

#include "common/game_files.h"
#include "graphics/drawing_win.h"
#include "graphics/picture_slot.h"
#include "graphics/picture_slots_win.h"

namespace zorv {

void OnFrameCreate(HWND frame) {
    ReadPicture(kFrameBackground, kSlotFrameBackground);
    // Drawn into the frame being created (its handle is not stored yet), while it is hidden.
    DrawFrameBackground(frame);
}

void OnFrameDestroy() {
    ReleasePictures();
    PostQuitMessage(0);
}

void OnFrameKeyDown(WPARAM key) {
    if (key != VK_F5) return;
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    std::printf("Avail Phys Memory : %lu\n", static_cast<unsigned long>(status.dwAvailPhys));
    std::fflush(stdout);
}

}  // namespace zorv
