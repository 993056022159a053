// The audio settings screen: its two image buttons, where the screen, its two volume bars and
// their captions lie in pixels, and its background.
#pragma once

#include "graphics/button_table.h"
#include "graphics/screen_spec.h"
#include "resources/resource_ids.h"

namespace zorv {

enum AudioCommand { kCommandAudioDone = 528, kCommandAudioDefault = 529 };

// clang-format off
inline constexpr ButtonSpec kAudioButtons[] = {
    {528, kCommandAudioDone, IDB_AUDIO_DONE_NORMAL, IDB_AUDIO_DONE_HIGHLIGHT, IDB_AUDIO_DONE_PRESSED, {46, 230, 236, 266}, 190, 36, "DONE", 0, true},
    {529, kCommandAudioDefault, IDB_AUDIO_DEFAULT_NORMAL, IDB_AUDIO_DEFAULT_HIGHLIGHT, IDB_AUDIO_DEFAULT_PRESSED, {46, 278, 236, 314}, 190, 36, "DEFAULT", 0, true},
};
// clang-format on

inline constexpr ButtonTable kAudioTable = MakeButtonTable(kAudioButtons);

// Template 178: a captionless popup over the options menu, placed from the owner's client-area
// origin; left with DONE only. At two pixels per dialog unit its client area is 280 by 352
// pixels, the background picture's size.
// clang-format off
inline constexpr DialogSpec kAudioDialog = {IDD_AUDIO, "DIALOGEX", 144, 31, 140, 176, "WS_POPUP | WS_VISIBLE | WS_BORDER", 10, "System"};
// clang-format on
inline constexpr ButtonRect kAudioClientPlace = kAudioDialog.Pixels();

// The Music and Sound bars on the background picture, music first as in the settings record.
inline constexpr ControlSpec kVolumeBars[] = {
    {"SCROLLBAR", IDC_AUDIO_MUSIC, 12, 35, 116, 11, "SBS_HORZ | WS_CHILD | WS_VISIBLE", ""},
    {"SCROLLBAR", IDC_AUDIO_SOUND, 12, 76, 116, 11, "SBS_HORZ | WS_CHILD | WS_VISIBLE", ""},
};

// Each caption stands above its bar.
inline constexpr CaptionPlace kAudioCaptions[] = {
    {CaptionId::kMusicVolume, 22, 53},
    {CaptionId::kSoundVolume, 22, 133},
};

// clang-format off
inline constexpr ScreenSpec kAudioScreen = {
    kAudioDialog, kAudioTable, kSlotAudio, ScreenPlacement::kClientInOwner, MakeTable(kVolumeBars),
    MakeTable(kAudioCaptions), kCommandAudioDone};
// clang-format on

}  // namespace zorv
