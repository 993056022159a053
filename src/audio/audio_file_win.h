// Reading and saving the audio settings record in its file.
#pragma once

#include <windows.h>

#include "audio/audio_settings.h"

namespace zorv {

// Applies the file's text to `settings`. False when the file cannot be opened: the
// configuration-file error dialog, owned by `owner`, has then shown its full path and the
// record is unchanged.
bool ReadAudioSettings(HWND owner, HINSTANCE instance, const char* relative, AudioSettings& settings);

// Replaces the file with the record's three lines in one step. False when it cannot be
// written: the error dialog has been shown and the old file is left as it was.
bool WriteAudioSettings(HWND owner, HINSTANCE instance, const char* relative, const AudioSettings& settings);

}  // namespace zorv
