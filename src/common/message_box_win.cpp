#include "common/message_box_win.h"

#include <windows.h>

namespace zorv {
namespace {
MessageSink g_sink = nullptr;
}

void ShowMessage(const char* text) {
    // The text is copied, never used as a format: a per-cent sign shows as it stands.
    char buffer[200];
    lstrcpynA(buffer, text ? text : "", sizeof buffer);
    if (g_sink) {
        g_sink(buffer);
        return;
    }
    MessageBoxA(nullptr, buffer, "Message", MB_OK);
}

void SetMessageSinkForTesting(MessageSink sink) { g_sink = sink; }

}  // namespace zorv
