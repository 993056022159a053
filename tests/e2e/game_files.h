// The files of the game folder that the tests read, write or damage, named once. Paths are
// relative to the game folder, spelt as the program spells them where a test compares a path
// the program shows.
#ifndef ZORV_E2E_GAME_FILES_H
#define ZORV_E2E_GAME_FILES_H

namespace zorv_e2e {

inline constexpr char kProgramFile[] = "zorv3d.exe";
inline constexpr char kCaptionFile[] = "info\\String.dat";
// The first-run flag. It is read through ".\info\" and written through ".\Info\": the error
// dialog of a failed save shows the second spelling.
inline constexpr char kFlagFile[] = "info\\InitFlag.flg";
inline constexpr char kFlagFileAsWritten[] = "Info\\InitFlag.flg";
inline constexpr char kGameModeFile[] = "Info\\GameMode.dat";
inline constexpr char kGameLog[] = "Info\\proc.log";
inline constexpr char kAudioFile[] = "info\\Audio.cfg";
inline constexpr char kKeyFile[] = "info\\keyvalue.cfg";

// The video calibration's files, the driver folders and the OpenGL libraries it places beside
// the game.
inline constexpr char kVideoSettingsFile[] = "info\\video.cfg";
inline constexpr char kDriverListFile[] = "info\\Driver.dat";
inline constexpr char kDriverFolder[] = "Driver";
inline constexpr char kOpenGlLibrary[] = "Opengl32.dll";
inline constexpr char kGluLibrary[] = "Glu32.dll";
inline constexpr char kFrameBackground[] = "resource\\background\\background.bmp";
inline constexpr char kMainBackground[] = "resource\\background\\MainBK.bmp";
inline constexpr char kOptionsBackground[] = "resource\\background\\OptionBK.bmp";
// Behind the audio and video settings screens, drawn to their client size, which it has.
inline constexpr char kSmallWindowBackground[] = "resource\\background\\smallwin.bmp";
// Behind the key configuration screen, stretched over its client area.
inline constexpr char kKeysBackground[] = "resource\\background\\inputBK.bmp";
// The how-to-play pages, first to last.
inline constexpr const char* kHowToPlayPages[] = {"resource\\background\\how1.bmp", "resource\\background\\how2.bmp",
                                                  "resource\\background\\how3.bmp"};
// The intro movie. A scratch folder leaves it out unless a test puts it back.
inline constexpr char kIntroMovie[] = "logo.avi";

// The stand-in game: the program it is started as, the instructions it reads as it starts and
// the report of what it saw that it writes as it ends.
inline constexpr char kGameProgram[] = "proc.exe";
inline constexpr char kGameInstructions[] = "demo-game.ini";
inline constexpr char kGameSeen[] = "demo-game-seen.txt";

}  // namespace zorv_e2e

#endif  // ZORV_E2E_GAME_FILES_H
