// What the two menu screens show, read back from the screen: which picture each image button
// shows and whether the screen's background picture is there; and the program's interface
// sounds, counted in Wine's trace of the sound calls.
//
// The button pictures are compared with the program's own bitmap resources, read from
// zorv3d.exe as a data file, and the backgrounds with the picture files of the scratch folder.
// The screen has 24 bits per pixel and the pictures 8, so every colour arrives exactly: a picture
// on the screen matches its source pixel for pixel.
#ifndef ZORV_E2E_SCREENS_H
#define ZORV_E2E_SCREENS_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace zorv_e2e {

// ---------------------------------------------------------------------------------------------
// Pictures

// A picture as 0x00RRGGBB pixels, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;  // of the source
  std::vector<DWORD> pixels;
  bool ok() const { return width > 0 && height > 0; }
  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Bitmap resource `id` of an executable, loaded as a data file; an empty picture if missing.
Picture LoadBitmapResource(const std::string& exe, int id);
// A BMP file; an empty picture if it cannot be read.
Picture LoadBitmapFile(const std::string& path);

// ---------------------------------------------------------------------------------------------
// The menu screens' buttons

// One image button of a menu: its hot rectangle in the menu window's client coordinates and its
// three bitmap resources. Each picture is one pixel wider and taller than the rectangle and is
// drawn at its top-left corner.
struct MenuButton {
  const char* name;
  RECT hot;
  int normal;
  int highlighted;
  int pressed;
};

enum MainButton { kStartGame, kNetworkGame, kOption, kQuit, kMainButtonCount };
enum OptionsButton { kSetupInput, kAudio, kVideo, kHowToPlay, kClose, kOptionsButtonCount };

const MenuButton& MainMenuButton(int index);
const MenuButton& OptionsMenuButton(int index);

// The middle of a hot rectangle.
POINT Centre(const MenuButton& button);
// A client point that no button picture of either menu covers.
constexpr POINT kEmptySpot{420, 420};

enum class Look { kNone, kNormal, kHighlighted, kPressed };
const char* LookName(Look look);

enum class Screen { kMain, kOptions };

// The menu window of a running program, as the player sees it.
class MenuView {
 public:
  // exe: the program file whose resources are compared; folder: the scratch folder that holds
  // the backgrounds.
  MenuView(HWND menu, const std::string& exe, const std::string& folder);

  // False (with error()) when a button picture could not be loaded. A background that cannot be
  // loaded fails only the checks that need it.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  // Button pictures that are not 8 bits per pixel and one pixel wider and taller than their hot
  // rectangle, or "" when all are.
  std::string PictureProblems() const;

  // Which of its three pictures the button shows now; kNone when none matches closely.
  // *detail, when given, gets the share of matching pixels for each picture.
  Look LookOf(const MenuButton& button, std::string* detail = nullptr) const;
  // Polls until the button shows this picture.
  ::testing::AssertionResult Shows(const MenuButton& button, Look look,
                                   DWORD timeout_ms = kWindowTimeout) const;
  // Polls until the screen's background shows at sample points outside its buttons and every
  // button shows its normal picture (`lit`, when given, its highlighted one), all in one capture:
  // the screen was drawn whole.
  ::testing::AssertionResult ShowsWhole(Screen screen, const MenuButton* lit = nullptr,
                                        DWORD timeout_ms = kWindowTimeout) const;
  // The same for the background alone.
  ::testing::AssertionResult ShowsBackground(Screen screen,
                                             DWORD timeout_ms = kWindowTimeout) const;

  // The cursor on a client point of the menu window, as MoveMouse does.
  void MoveTo(POINT p) const { MoveMouse(menu_, p.x, p.y); }
  void MoveTo(const MenuButton& button) const { MoveTo(Centre(button)); }
  void ClickAt(POINT p) const { Click(menu_, p.x, p.y); }
  void ClickAt(const MenuButton& button) const { ClickAt(Centre(button)); }

  // The menu window's client rectangle on the screen.
  RECT OnScreen() const;

 private:
  struct ButtonPictures {
    const MenuButton* button;
    Picture normal, highlighted, pressed;
  };
  const ButtonPictures* PicturesOf(const MenuButton& button) const;
  Look LookIn(const ScreenCapture& shot, const MenuButton& button, std::string* detail) const;
  // Sample points of the background that no button picture covers; those near the cursor
  // are left out, since a screen capture may hold the cursor.
  std::vector<POINT> BackgroundSamples(Screen screen) const;
  // "" when the background shows in the capture, else what differs.
  std::string BackgroundMismatch(const ScreenCapture& shot, Screen screen) const;

  HWND menu_;
  std::vector<ButtonPictures> buttons_;
  Picture main_background_;
  Picture options_background_;
  std::string error_;
};

// ---------------------------------------------------------------------------------------------
// Sounds

constexpr char kHoverSound[] = ".\\sound\\mmove.wav";
constexpr char kClickSound[] = ".\\sound\\mclick.wav";
// The Wine debug channels that trace every sound the program plays.
constexpr char kSoundTraceChannels[] = "-all,+winmm";

// Sound calls in Wine's trace of winmm (Wine 8). The program's thread writes
//   trace:winmm:MULTIMEDIA_PlaySound pszSound='00432354' hmod=00000000 fdwSound=00000003
// for every call, at once, and the thread that plays it then writes
//   trace:winmm:proc_PlaySound SoundName=L".\\sound\\mmove.wav" !
// with the name as given (backslashes doubled).
struct SoundCounts {
  int calls = 0;  // MULTIMEDIA_PlaySound lines
  int named = 0;  // SoundName lines, any sound
  int hover = 0;  // SoundName lines of the hover sound
  int click = 0;  // SoundName lines of the click sound
  std::string Text() const;
};
SoundCounts CountSounds(const std::string& trace);

// Polls the program's trace until every sound call made so far has named its sound, then
// compares the counts of hover and click sounds.
::testing::AssertionResult SoundsPlayed(const App& app, int hover, int click,
                                        DWORD timeout_ms = kWindowTimeout);

}  // namespace zorv_e2e

#endif  // ZORV_E2E_SCREENS_H
