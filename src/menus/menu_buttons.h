// The two menu screens' buttons and command codes.
#pragma once

#include "graphics/button_table.h"
#include "resources/resource_ids.h"

namespace zorv {

enum MenuCommand {
    kCommandStartGame = 511,
    kCommandNetworkGame = 512,
    kCommandOptions = 513,
    kCommandQuit = 514,
    kCommandKeys = 515,
    kCommandAudio = 516,
    kCommandVideo = 517,
    kCommandHowToPlay = 518,
    kCommandClose = 519,
};

// Each menu picture is one pixel wider and taller than its hot rectangle, so that it also
// covers the rectangle's right and bottom edges. QUIT lets its click sound play for 300 ms
// before the program closes.
// clang-format off
inline constexpr ButtonSpec kMainMenuButtons[] = {
    {502, kCommandStartGame, IDB_START_NORMAL, IDB_START_HIGHLIGHT, IDB_START_PRESSED, {273, 86, 417, 171}, 145, 86, "START\nGAME", 0, true},
    {503, kCommandNetworkGame, IDB_NETWORK_NORMAL, IDB_NETWORK_HIGHLIGHT, IDB_NETWORK_PRESSED, {5, 145, 204, 230}, 200, 86, "NETWORK\nGAME", 0, true},
    {504, kCommandOptions, IDB_OPTION_NORMAL, IDB_OPTION_HIGHLIGHT, IDB_OPTION_PRESSED, {484, 297, 634, 358}, 151, 62, "OPTION", 0, true},
    {505, kCommandQuit, IDB_QUIT_NORMAL, IDB_QUIT_HIGHLIGHT, IDB_QUIT_PRESSED, {465, 145, 634, 230}, 170, 86, "QUIT\nZORV 3D", 300, true},
};
// clang-format on

// The options menu draws its buttons without realising their palettes.
// clang-format off
inline constexpr ButtonSpec kOptionsMenuButtons[] = {
    {506, kCommandKeys, IDB_INPUT_NORMAL, IDB_INPUT_HIGHLIGHT, IDB_INPUT_PRESSED, {17, 67, 206, 102}, 190, 36, "SETUP INPUT DEVICE", 0, false},
    {507, kCommandAudio, IDB_AUDIO_NORMAL, IDB_AUDIO_HIGHLIGHT, IDB_AUDIO_PRESSED, {17, 127, 206, 162}, 190, 36, "AUDIO CALIBRATION", 0, false},
    {508, kCommandVideo, IDB_VIDEO_NORMAL, IDB_VIDEO_HIGHLIGHT, IDB_VIDEO_PRESSED, {17, 187, 206, 222}, 190, 36, "VIDEO CALIBRATION", 0, false},
    {509, kCommandHowToPlay, IDB_HOWTO_NORMAL, IDB_HOWTO_HIGHLIGHT, IDB_HOWTO_PRESSED, {17, 247, 206, 282}, 190, 36, "HOW TO PLAY", 0, false},
    {510, kCommandClose, IDB_CLOSE_NORMAL, IDB_CLOSE_HIGHLIGHT, IDB_CLOSE_PRESSED, {17, 307, 206, 342}, 190, 36, "CLOSE", 0, false},
};
// clang-format on

inline constexpr ButtonTable kMainMenuTable = MakeButtonTable(kMainMenuButtons);
inline constexpr ButtonTable kOptionsMenuTable = MakeButtonTable(kOptionsMenuButtons);

}  // namespace zorv
