// Resource numbers fixed by the game's documents. Shared by zorv3d.rc and the code; the
// numbers never change, the names say what each one is.
#pragma once

// Dialog templates.
#define IDD_VIDEO 177
#define IDD_AUDIO 178
#define IDD_KEYS 179
#define IDD_DRIVER_GUIDE 284
#define IDD_DRIVER_CHECK 289
#define IDD_CONFIG_ERROR 292
#define IDD_HOW_TO_PLAY 293
#define IDD_GAME_ERROR 307
#define IDD_MOMENTARY 308
#define IDD_DRIVER_INSTALLED 309

// Icons shown in the message dialogs.
#define IDI_FLOPPY 287
#define IDI_RED_EXCLAMATION 290
#define IDI_INSTALLED 310

// Main menu buttons: pressed, normal, highlighted.
#define IDB_START_PRESSED 189
#define IDB_START_NORMAL 190
#define IDB_START_HIGHLIGHT 191
#define IDB_NETWORK_PRESSED 192
#define IDB_NETWORK_NORMAL 193
#define IDB_NETWORK_HIGHLIGHT 194
#define IDB_OPTION_PRESSED 195
#define IDB_OPTION_NORMAL 196
#define IDB_OPTION_HIGHLIGHT 197
#define IDB_QUIT_PRESSED 198
#define IDB_QUIT_NORMAL 199
#define IDB_QUIT_HIGHLIGHT 200

// Options menu buttons.
#define IDB_INPUT_PRESSED 201
#define IDB_INPUT_NORMAL 202
#define IDB_INPUT_HIGHLIGHT 203
#define IDB_AUDIO_PRESSED 204
#define IDB_AUDIO_NORMAL 205
#define IDB_AUDIO_HIGHLIGHT 206
#define IDB_VIDEO_PRESSED 207
#define IDB_VIDEO_NORMAL 208
#define IDB_VIDEO_HIGHLIGHT 209
#define IDB_HOWTO_PRESSED 210
#define IDB_HOWTO_NORMAL 211
#define IDB_HOWTO_HIGHLIGHT 212
#define IDB_CLOSE_PRESSED 295
#define IDB_CLOSE_NORMAL 296
#define IDB_CLOSE_HIGHLIGHT 297

// Audio settings dialog buttons.
#define IDB_AUDIO_DEFAULT_PRESSED 222
#define IDB_AUDIO_DEFAULT_NORMAL 223
#define IDB_AUDIO_DEFAULT_HIGHLIGHT 224
#define IDB_AUDIO_DONE_PRESSED 225
#define IDB_AUDIO_DONE_NORMAL 226
#define IDB_AUDIO_DONE_HIGHLIGHT 227

// Controls of the audio settings dialog: the Music and Sound bars.
#define IDC_AUDIO_MUSIC 1032
#define IDC_AUDIO_SOUND 1033

// The twelve key fields of the key configuration dialog, one per action slot in slot order.
#define IDC_KEY_FIRST 1035
#define IDC_KEY_LAST 1046

// Controls of the message dialogs.
#define IDC_CONFIG_ERROR_OK 1068
#define IDC_CONFIG_ERROR_TEXT 1069
#define IDC_CONFIG_ERROR_EXPLANATION 1070
#define IDC_GAME_ERROR_TEXT 1072
#define IDC_GAME_ERROR_OK 1068
#define IDC_DRIVER_GUIDE_DOWNLOAD 1060
#define IDC_DRIVER_GUIDE_LOCATION 1061
#define IDC_DRIVER_GUIDE_TEXT 1062
#define IDC_DRIVER_GUIDE_CANCEL 1064
#define IDC_DRIVER_GUIDE_ICON 1055
#define IDC_DRIVER_CHECK_ICON 1063
#define IDC_DRIVER_CHECK_START 1066
#define IDC_DRIVER_CHECK_LATER 1067
#define IDC_DRIVER_INSTALLED_NOTE 1073
#define IDC_DRIVER_INSTALLED_OK 1074
#define IDC_DRIVER_INSTALLED_ICON 1075
