#include "platform/message_box_win.h"

#include <windows.h>

#include "platform/app_win.h"
#include "platform/thread_dpi_win.h"

namespace zorv {
namespace {

// Process-wide: every layer tells the player with a text alone, and only the tests put a sink in
// the box's place, around their cases.
MessageSink g_sink = nullptr;

// An ownerless box hands the activation, when it goes, to the thread's first top-level window:
// the full-screen frame, which then stands in front of the menu and of any screen open on it.
// The window the player was using comes back in front, with the windows that own it behind it
// in their order; the ownerless frame stays at the back.
void BringBackToFront(HWND window) {
    constexpr int kMaxChain = 8;
    HWND chain[kMaxChain];
    int count = 0;
    for (HWND w = window; w && count < kMaxChain; w = GetParent(w)) chain[count++] = w;
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    for (int i = count - 2; i >= 0; --i) {
        SetWindowPos(chain[i], HWND_TOP, 0, 0, 0, 0,
                     keep | (i > 0 || !IsWindowVisible(chain[i]) || !IsWindowEnabled(chain[i]) ? SWP_NOACTIVATE : 0));
    }
}

}  // namespace

void ShowMessage(const char* text) {
    // The text is copied, never used as a format: a per-cent sign shows as it stands.
    char buffer[200];
    lstrcpynA(buffer, text ? text : "", sizeof buffer);
    if (g_sink) {
        g_sink(buffer);
        return;
    }
    HWND active = GetActiveWindow();
    // Made as the frame was, over a settings screen too (platform/thread_dpi_win.h): centred on the
    // whole screen, as the system's boxes are. Taken from the frame itself, since no window of
    // ours is active while the player works in another program; before the frame exists the
    // thread is as the frame will be.
    ThreadDpiAwareness asFrame(App().frame);
    MessageBoxA(nullptr, buffer, "Message", MB_OK);
    if (active && IsWindow(active) && GetActiveWindow() != active) BringBackToFront(active);
}

void SetMessageSinkForTesting(MessageSink sink) { g_sink = sink; }

}  // namespace zorv
