// The audio settings screen: its two image buttons, where the screen, its two volume bars and
// their captions lie in pixels, and its background.
#pragma once

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum AudioCommand {
    kCommandAudioDone = 528,
    kCommandAudioDefault = 529,
};

// clang-format off
inline constexpr ButtonSpec kAudioButtons[] = {
    {528, kCommandAudioDone, IDB_AUDIO_DONE_NORMAL, IDB_AUDIO_DONE_HIGHLIGHT, IDB_AUDIO_DONE_PRESSED, {46, 230, 236, 266}, 190, 36, "DONE", 0, true},
    {529, kCommandAudioDefault, IDB_AUDIO_DEFAULT_NORMAL, IDB_AUDIO_DEFAULT_HIGHLIGHT, IDB_AUDIO_DEFAULT_PRESSED, {46, 278, 236, 314}, 190, 36, "DEFAULT", 0, true},
};
// clang-format on

inline constexpr ButtonTable kAudioTable = MakeButtonTable(kAudioButtons);

// The client area, in the owner's client coordinates: the template's place and size at two
// pixels per dialog unit, 280 by 352 pixels, the background picture's size.
inline constexpr ButtonRect kAudioClientPlace = FromDialogUnits(144, 31, 140, 176);

// Music first, as in the settings record.
inline constexpr ControlPlace kVolumeBars[] = {
    {IDC_AUDIO_MUSIC, FromDialogUnits(12, 35, 116, 11)},
    {IDC_AUDIO_SOUND, FromDialogUnits(12, 76, 116, 11)},
};

// Each caption stands above its bar.
inline constexpr CaptionPlace kAudioCaptions[] = {
    {CaptionId::kMusicVolume, 22, 53},
    {CaptionId::kSoundVolume, 22, 133},
};

inline constexpr ScreenSpec kAudioScreen = {
    IDD_AUDIO, kAudioTable, kSlotAudio, ScreenPlacement::kClientInOwner, kAudioClientPlace,
    MakeControlList(kVolumeBars), MakeCaptionList(kAudioCaptions),
};

}  // namespace zorv
