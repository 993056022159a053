// The files of the game folder that the tests read, write or damage: the program's own names
// (src/settings/game_files.h), spelt as the program spells them where a test compares a path the
// program shows. A test joins them to a folder with JoinPath, which drops the leading ".\".
#ifndef ZORV_E2E_GAME_FILES_H
#define ZORV_E2E_GAME_FILES_H

#include "settings/game_files.h"

namespace zorv_e2e {

using zorv::kCaptionFile;
using zorv::kGameProgram;
using zorv::kProgramFile;
// The first-run flag is read through ".\info\" and written through ".\Info\": the error dialog
// of a failed save shows the second spelling.
using zorv::kAudioSettingsFile;
using zorv::kFirstRunFlagFile;
using zorv::kFirstRunFlagFileAsWritten;
using zorv::kGameLog;
using zorv::kGameModeFile;
using zorv::kKeyBindingsFile;

// The video calibration's files, the driver folders and the OpenGL libraries it places beside
// the game.
using zorv::kDriverFolder;
using zorv::kDriverListFile;
using zorv::kGluLibrary;
using zorv::kLocalGluLibrary;
using zorv::kLocalOpenGlLibrary;
using zorv::kOpenGlLibrary;
using zorv::kVideoSettingsFile;

using zorv::kFrameBackground;
using zorv::kHowToPlayPictures;
using zorv::kKeysBackground;
using zorv::kMainMenuBackground;
using zorv::kOptionsMenuBackground;
using zorv::kSmallWindowBackground;
// The intro movie. A scratch folder leaves it out unless a test puts it back.
using zorv::kClickSoundFile;
using zorv::kHoverSoundFile;
using zorv::kIntroMovie;

// The stand-in game: the instructions it reads as it starts and the report of what it saw that
// it writes as it ends.
using zorv::kStandInInstructions;
using zorv::kStandInReport;

}  // namespace zorv_e2e

#endif  // ZORV_E2E_GAME_FILES_H
