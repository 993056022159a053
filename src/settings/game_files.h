// The settings room: the game folder's settings files, their rules, their saving and their failure.
//
// The files of the game folder, named once for the program, its tests, the asset generator and
// the stand-in game. Every name is relative to the game folder, which is the current directory
// of the program and of the game.
//
// The settings folder is spelt both ".\info\" and ".\Info\", and the game's log both "proc.log"
// and "Proc.log", as the game has always spelt them. Each spelling is kept exactly where it is
// used, because a path the program shows (the configuration-file error dialog) carries it; the
// Windows file system is blind to case, so each pair names one file. The folders as an
// installation creates them are "info", "resource", "sound" and "Driver": a tool that writes the
// folder on a case-sensitive file system uses the ".\info\" spellings.
#pragma once

namespace zorv {

// The front-end itself, and the game it starts (with an empty command line).
inline constexpr char kProgramFile[] = "zorv3d.exe";
inline constexpr char kGameProgram[] = ".\\proc.exe";

// The caption file: the caption font and the texts drawn on two dialogs.
inline constexpr char kCaptionFile[] = ".\\info\\String.dat";
// The first-run flag, read at start-up and written back at shutdown under the other spelling.
inline constexpr char kFirstRunFlagFile[] = ".\\info\\InitFlag.flg";
inline constexpr char kFirstRunFlagFileAsWritten[] = ".\\Info\\InitFlag.flg";
// The game mode and the time of the start, written at every start of the game.
inline constexpr char kGameModeFile[] = ".\\Info\\GameMode.dat";
// The game's result log, as the game writes it and the front-end deletes it after a run; the
// front-end reads it under the other spelling.
inline constexpr char kGameLog[] = ".\\Info\\proc.log";
inline constexpr char kGameLogAsRead[] = ".\\Info\\Proc.log";
// The settings screens' files.
inline constexpr char kAudioSettingsFile[] = ".\\info\\Audio.cfg";
inline constexpr char kKeyBindingsFile[] = ".\\info\\keyvalue.cfg";
inline constexpr char kVideoSettingsFile[] = ".\\info\\video.cfg";
inline constexpr char kDriverListFile[] = ".\\info\\Driver.dat";

// The folder of the drivers; a driver's own folder is this followed by its directory name.
inline constexpr char kDriverFolder[] = ".\\Driver\\";
// The two OpenGL libraries a local driver's folder holds, as copied beside the game.
inline constexpr char kLocalOpenGlLibrary[] = ".\\Opengl32.dll";
inline constexpr char kLocalGluLibrary[] = ".\\Glu32.dll";
// The same names with their backslash, to follow a driver's folder.
inline constexpr const char* kOpenGlLibrary = kLocalOpenGlLibrary + 1;
inline constexpr const char* kGluLibrary = kLocalGluLibrary + 1;

// The intro movie.
inline constexpr char kIntroMovie[] = "logo.avi";

// The pictures: the frame's background and the eight screen pictures.
inline constexpr char kFrameBackground[] = ".\\resource\\background\\background.bmp";
inline constexpr char kMainMenuBackground[] = ".\\resource\\background\\MainBK.bmp";
inline constexpr char kOptionsMenuBackground[] = ".\\resource\\background\\OptionBK.bmp";
// Behind the key configuration screen.
inline constexpr char kKeysBackground[] = ".\\resource\\background\\inputBK.bmp";
// Behind the audio and video settings screens.
inline constexpr char kSmallWindowBackground[] = ".\\resource\\background\\smallwin.bmp";
// The how-to-play pages, first to last.
inline constexpr const char* kHowToPlayPictures[] = {
    ".\\resource\\background\\how1.bmp",
    ".\\resource\\background\\how2.bmp",
    ".\\resource\\background\\how3.bmp",
};

// The image buttons' sounds: the pointer entering a button, a click on one.
inline constexpr char kHoverSoundFile[] = ".\\sound\\mmove.wav";
inline constexpr char kClickSoundFile[] = ".\\sound\\mclick.wav";

// The stand-in game's own files, which the real game does not have: the instructions it reads
// as it starts, and the report of what it saw, written under a second name first and then
// renamed, so that whoever waits for the report finds it whole.
inline constexpr char kStandInInstructions[] = ".\\demo-game.ini";
inline constexpr char kStandInReport[] = ".\\demo-game-seen.txt";
inline constexpr char kStandInReportPart[] = ".\\demo-game-seen.part";

}  // namespace zorv
