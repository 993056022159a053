// Reading the caption file, the caption font, and drawing the captions onto the audio and
// video dialogs.
#pragma once

#include <windows.h>

namespace zorv {

// Fills the caption table from the file; false (and nothing changed) when it cannot be opened.
bool ReadCaptionFile(const char* relative);

// A font of `height` and `width` tenths of a point for the window's display; width 0 keeps
// the face's own proportions. The caller deletes it.
HFONT CreateScaledFont(HWND window, const char* face, int height, int width);

void DrawAudioCaptions(HWND dialog);
void DrawVideoCaptions(HWND dialog);

}  // namespace zorv
