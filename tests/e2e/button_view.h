// A window of image buttons as the player sees it: which picture each button shows and whether
// the screen's background picture is there, read back from the screen.
//
// The buttons come from the program's own constant tables (graphics/button_table.h), so the
// tests use the rectangles and resource numbers the program and the asset generator use. The
// button pictures are compared with the program's bitmap resources, read from zorv3d.exe as a
// data file, and the backgrounds with the picture files of the scratch folder. The screen has
// 24 bits per pixel and the pictures 8, so every colour arrives exactly: a picture on the
// screen matches its source pixel for pixel.
#ifndef ZORV_E2E_BUTTON_VIEW_H
#define ZORV_E2E_BUTTON_VIEW_H

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/button_table.h"
#include "screen_pixels.h"
#include "wait.h"

namespace zorv_e2e {

using zorv::ButtonSpec;
using zorv::ButtonTable;

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

// The button of a table that sends this command. In a constant expression, a command that no
// button sends does not compile.
constexpr const ButtonSpec& ButtonOf(const ButtonTable& table, int command) {
    for (int i = 0; i < table.count; ++i) {
        if (table.buttons[i].command == command) return table.buttons[i];
    }
    throw std::logic_error("no button of the table sends this command");
}

// The middle of the button's hot rectangle, in client coordinates.
POINT Centre(const ButtonSpec& button);
RECT HotRect(const ButtonSpec& button);
// The button's label on one line, for messages.
std::string NameOf(const ButtonSpec& button);

enum class Look { kNone, kNormal, kHighlighted, kPressed };
const char* LookName(Look look);

// One screen of a window: its buttons, and the picture file (relative to the game folder)
// drawn behind them from the client origin.
struct ScreenSpec {
    const char* name;
    ButtonTable table;
    const char* background;
};

class ButtonView {
public:
    // window: where the screens show; exe: the program file whose resources are compared;
    // folder: the scratch folder that holds the backgrounds.
    ButtonView(HWND window, const std::string& exe, const std::string& folder, const std::vector<ScreenSpec>& screens);

    // False (with error()) when a button picture could not be loaded. A background that cannot be
    // loaded fails only the checks that need it.
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // Button pictures that are not 8 bits per pixel of the size their table gives, or "" when
    // all are.
    std::string PictureProblems() const;

    // Which of its three pictures the button shows now; kNone when none matches closely.
    // *detail, when given, gets the share of matching pixels for each picture.
    Look LookOf(const ButtonSpec& button, std::string* detail = nullptr) const;
    // Waits until the button shows this picture.
    ::testing::AssertionResult Shows(const ButtonSpec& button, Look look, DWORD timeout_ms = kWindowTimeout) const;
    // Waits until the screen's background shows at sample points outside its buttons and every
    // button shows its normal picture (`lit`, when given, its highlighted one), all in one
    // capture: the screen was drawn whole.
    ::testing::AssertionResult ShowsWhole(const ScreenSpec& screen, const ButtonSpec* lit = nullptr,
                                          DWORD timeout_ms = kWindowTimeout) const;
    // The same for the background alone.
    ::testing::AssertionResult ShowsBackground(const ScreenSpec& screen, DWORD timeout_ms = kWindowTimeout) const;

    // Input on a client point of the window, as MoveMouse, Press and Click give it.
    void MoveTo(POINT p) const;
    void MoveTo(const ButtonSpec& button) const { MoveTo(Centre(button)); }
    void PressAt(POINT p) const;
    void PressAt(const ButtonSpec& button) const { PressAt(Centre(button)); }
    void ClickAt(POINT p) const;
    void ClickAt(const ButtonSpec& button) const { ClickAt(Centre(button)); }

    HWND window() const { return window_; }
    // The window's client rectangle on the screen.
    RECT OnScreen() const;

private:
    struct ButtonPictures {
        const ButtonSpec* button;
        Picture normal, highlighted, pressed;
    };
    struct Background {
        const char* file;
        Picture picture;
    };
    const ButtonPictures* PicturesOf(const ButtonSpec& button) const;
    Look LookIn(const ScreenCapture& shot, const ButtonSpec& button, std::string* detail) const;
    // Sample points of the background that no button picture covers; those near the cursor
    // are left out, since a screen capture may hold the cursor.
    std::vector<POINT> BackgroundSamples(const ScreenSpec& screen) const;
    // "" when the background shows in the capture, else what differs.
    std::string BackgroundMismatch(const ScreenCapture& shot, const ScreenSpec& screen) const;
    // "" when the screen shows whole in the capture, else what differs.
    std::string WholeMismatch(const ScreenCapture& shot, const ScreenSpec& screen, const ButtonSpec* lit) const;

    HWND window_;
    std::vector<ButtonPictures> buttons_;
    std::vector<Background> backgrounds_;
    std::string error_;
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_BUTTON_VIEW_H
