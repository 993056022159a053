// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// The program's one way to tell the player a short text: a modal box without owner,
// caption "Message", one OK button.
#pragma once

namespace zorv {

// Shows `text` (cut to 199 characters) and returns when the player has pressed OK.
void ShowMessage(const char* text);

// Tests that run the Win32 layer without a player route the texts here instead of a box.
using MessageSink = void (*)(const char* text);
void SetMessageSinkForTesting(MessageSink sink);

}  // namespace zorv
