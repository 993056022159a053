#include "button_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "input.h"
#include "platform/gdi_guards_win.h"
#include "platform/handle_guards_win.h"
#include "window_search.h"

namespace zorv_e2e {
namespace {

// A picture counts as shown when at least this share of its pixels is exactly on the screen;
// the rest leaves room for a cursor drawn into the capture.
constexpr double kMatchShare = 0.97;
constexpr int kSampleStep = 23;
constexpr int kCursorMargin = 40;
constexpr size_t kFewestSamples = 200;

Picture PictureOf(HBITMAP bitmap) {
    Picture picture;
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0) {
        return picture;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    zorv::WindowDC screen(nullptr);
    if (!screen) return picture;
    int rows = GetDIBits(screen.get(), bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    if (rows != size.bmHeight) return picture;
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    picture.bits_per_pixel = size.bmBitsPixel;
    picture.pixels.swap(pixels);
    return picture;
}

Picture BitmapResourceOf(HMODULE module, int id) {
    zorv::GdiObject<HBITMAP> bitmap(
        static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return PictureOf(bitmap.get());
}

// An executable loaded as a data file, for its resources.
zorv::LoadedModule DataModule(const std::string& path) {
    return zorv::LoadedModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

COLORREF AsColorRef(DWORD rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Where the button's pictures lie, in client coordinates: from the hot rectangle's top-left
// corner, as large as the table says.
RECT PictureRect(const ButtonSpec& button) {
    return RECT{button.hot.left, button.hot.top, button.hot.left + button.pictureWidth,
                button.hot.top + button.pictureHeight};
}

// The share of the picture's pixels that the capture shows from the screen point `origin`.
double MatchShare(const ScreenCapture& shot, POINT origin, const Picture& picture) {
    if (!picture.ok() || !shot.ok()) return 0.0;
    int same = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (shot.Pixel(origin.x + x, origin.y + y) == AsColorRef(picture.At(x, y))) ++same;
        }
    }
    return static_cast<double>(same) / (static_cast<double>(picture.width) * picture.height);
}

// Waits until `mismatch` has nothing to say; fails with its last word.
::testing::AssertionResult WaitForNoMismatch(const std::function<std::string()>& mismatch, DWORD timeout_ms) {
    std::string last;
    if (WaitFor([&] { return (last = mismatch()).empty(); }, timeout_ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << last;
}

}  // namespace

Picture LoadBitmapResource(const std::string& exe, int id) {
    const zorv::LoadedModule module = DataModule(exe);
    return module ? BitmapResourceOf(module.get(), id) : Picture();
}

Picture LoadBitmapFile(const std::string& path) {
    zorv::GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    return PictureOf(bitmap.get());
}

POINT Centre(const ButtonSpec& button) {
    return POINT{(button.hot.left + button.hot.right) / 2, (button.hot.top + button.hot.bottom) / 2};
}

RECT HotRect(const ButtonSpec& button) {
    return RECT{button.hot.left, button.hot.top, button.hot.right, button.hot.bottom};
}

std::string NameOf(const ButtonSpec& button) {
    std::string name = button.label ? button.label : "";
    std::replace(name.begin(), name.end(), '\n', ' ');
    return name;
}

const char* LookName(Look look) {
    switch (look) {
    case Look::kNormal: return "normal";
    case Look::kHighlighted: return "highlighted";
    case Look::kPressed: return "pressed";
    default: return "none of its pictures";
    }
}

ButtonView::ButtonView(HWND window, const std::string& exe, const std::string& folder,
                       const std::vector<ScreenSpec>& screens)
    : window_(window) {
    const zorv::LoadedModule module = DataModule(exe);
    if (!module) error_ = "cannot open " + exe + " as a data file; ";
    for (const ScreenSpec& screen : screens) {
        for (int i = 0; i < screen.table.count && module.get(); ++i) {
            const ButtonSpec& button = screen.table.buttons[i];
            ButtonPictures pictures{&button, BitmapResourceOf(module.get(), button.normalResource),
                                    BitmapResourceOf(module.get(), button.highlightedResource),
                                    BitmapResourceOf(module.get(), button.pressedResource)};
            if (!pictures.normal.ok() || !pictures.highlighted.ok() || !pictures.pressed.ok()) {
                error_ += "cannot load the pictures of " + NameOf(button) + " from " + exe + "; ";
            }
            buttons_.push_back(pictures);
        }
        backgrounds_.push_back(Background{screen.background, LoadBitmapFile(JoinPath(folder, screen.background))});
    }
}

RECT ButtonView::OnScreen() const { return ClientRectOnScreen(window_); }

void ButtonView::MoveTo(POINT p) const { MoveMouse(window_, p.x, p.y); }
void ButtonView::PressAt(POINT p) const { Press(window_, p.x, p.y); }
void ButtonView::ClickAt(POINT p) const { Click(window_, p.x, p.y); }

std::string ButtonView::PictureProblems() const {
    std::string problems;
    for (const ButtonPictures& pictures : buttons_) {
        const ButtonSpec& button = *pictures.button;
        const Picture* three[3] = {&pictures.normal, &pictures.highlighted, &pictures.pressed};
        const int ids[3] = {button.normalResource, button.highlightedResource, button.pressedResource};
        for (int i = 0; i < 3; ++i) {
            const Picture& p = *three[i];
            if (p.width != button.pictureWidth || p.height != button.pictureHeight || p.bits_per_pixel != 8) {
                problems += "bitmap " + std::to_string(ids[i]) + " (" + NameOf(button) + ") is " +
                            std::to_string(p.width) + "x" + std::to_string(p.height) + " at " +
                            std::to_string(p.bits_per_pixel) + " bits per pixel; ";
            }
        }
    }
    return problems;
}

const ButtonView::ButtonPictures* ButtonView::PicturesOf(const ButtonSpec& button) const {
    for (const ButtonPictures& pictures : buttons_) {
        if (pictures.button == &button) return &pictures;
    }
    return nullptr;
}

Look ButtonView::LookOf(const ButtonSpec& button, std::string* detail) const {
    RECT area = PictureRect(button);
    const POINT origin = ClientToScreenOf(window_, {0, 0});
    OffsetRect(&area, origin.x, origin.y);
    return LookIn(ScreenCapture(area), button, detail);
}

Look ButtonView::LookIn(const ScreenCapture& shot, const ButtonSpec& button, std::string* detail) const {
    const ButtonPictures* pictures = PicturesOf(button);
    if (!pictures || !pictures->normal.ok()) return Look::kNone;
    const POINT origin = ClientToScreenOf(window_, {button.hot.left, button.hot.top});
    const double shares[3] = {MatchShare(shot, origin, pictures->normal),
                              MatchShare(shot, origin, pictures->highlighted),
                              MatchShare(shot, origin, pictures->pressed)};
    const Look looks[3] = {Look::kNormal, Look::kHighlighted, Look::kPressed};
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (shares[i] > shares[best]) best = i;
    }
    if (detail) {
        char text[160];
        std::snprintf(text, sizeof text, "matching pixels: normal %.1f%%, highlighted %.1f%%, pressed %.1f%%",
                      shares[0] * 100, shares[1] * 100, shares[2] * 100);
        *detail = text;
    }
    bool unique = true;
    for (int i = 0; i < 3; ++i) {
        if (i != best && shares[i] >= shares[best]) unique = false;
    }
    return shares[best] >= kMatchShare && unique ? looks[best] : Look::kNone;
}

::testing::AssertionResult ButtonView::Shows(const ButtonSpec& button, Look look, DWORD timeout_ms) const {
    return WaitForNoMismatch(
        [&]() -> std::string {
            std::string detail;
            Look seen = LookOf(button, &detail);
            if (seen == look) return std::string();
            return NameOf(button) + " shows " + LookName(seen) + ", expected " + LookName(look) + " (" + detail + ")";
        },
        timeout_ms);
}

std::vector<POINT> ButtonView::BackgroundSamples(const ScreenSpec& screen) const {
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    const POINT origin = ClientToScreenOf(window_, {0, 0});
    cursor = {cursor.x - origin.x, cursor.y - origin.y};
    const RECT client = ClientRectOf(window_);
    // Closer points on a small window (a dialog), so that it too gives enough of them.
    int step = kSampleStep;
    while (step > 4 && (client.right / step) * (client.bottom / step) < static_cast<int>(2 * kFewestSamples)) --step;
    std::vector<POINT> samples;
    for (int y = step / 2; y < client.bottom; y += step) {
        for (int x = step / 2; x < client.right; x += step) {
            POINT p{x, y};
            bool covered = std::abs(x - cursor.x) < kCursorMargin && std::abs(y - cursor.y) < kCursorMargin;
            for (int i = 0; i < screen.table.count && !covered; ++i) {
                RECT picture = PictureRect(screen.table.buttons[i]);
                covered = PtInRect(&picture, p) != 0;
            }
            if (!covered) samples.push_back(p);
        }
    }
    return samples;
}

std::string ButtonView::BackgroundMismatch(const ScreenCapture& shot, const ScreenSpec& screen) const {
    const Picture* background = nullptr;
    for (const Background& b : backgrounds_) {
        if (std::strcmp(b.file, screen.background) == 0) background = &b.picture;
    }
    if (!background || !background->ok()) return std::string("the ") + screen.name + " background file cannot be read";
    if (!shot.ok()) return "the screen cannot be captured";
    const RECT area = OnScreen();
    std::vector<POINT> samples = BackgroundSamples(screen);
    int wrong = 0;
    std::string first;
    for (const POINT& p : samples) {
        if (p.x >= background->width || p.y >= background->height) continue;
        COLORREF expected = AsColorRef(background->At(p.x, p.y));
        COLORREF seen = shot.Pixel(area.left + p.x, area.top + p.y);
        if (seen != expected && wrong++ == 0) {
            first = "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") is " + ColorText(seen) +
                    ", the picture has " + ColorText(expected);
        }
    }
    if (samples.size() < kFewestSamples) return "too few sample points (" + std::to_string(samples.size()) + ")";
    if (wrong == 0) return std::string();
    return std::to_string(wrong) + " of " + std::to_string(samples.size()) + " sample points of the " + screen.name +
           " background differ; first: " + first;
}

std::string ButtonView::WholeMismatch(const ScreenCapture& shot, const ScreenSpec& screen,
                                      const ButtonSpec* lit) const {
    std::string mismatch = BackgroundMismatch(shot, screen);
    for (int i = 0; i < screen.table.count && mismatch.empty(); ++i) {
        const ButtonSpec& button = screen.table.buttons[i];
        Look expected = &button == lit ? Look::kHighlighted : Look::kNormal;
        std::string detail;
        Look seen = LookIn(shot, button, &detail);
        if (seen != expected) {
            mismatch = std::string("on the ") + screen.name + ", " + NameOf(button) + " shows " + LookName(seen) +
                       ", expected " + LookName(expected) + " (" + detail + ")";
        }
    }
    return mismatch;
}

::testing::AssertionResult ButtonView::ShowsBackground(const ScreenSpec& screen, DWORD timeout_ms) const {
    return WaitForNoMismatch([&] { return BackgroundMismatch(ScreenCapture(OnScreen()), screen); }, timeout_ms);
}

::testing::AssertionResult ButtonView::ShowsWhole(const ScreenSpec& screen, const ButtonSpec* lit,
                                                  DWORD timeout_ms) const {
    // One capture for all, so that what passes was on the screen at one moment.
    return WaitForNoMismatch([&] { return WholeMismatch(ScreenCapture(OnScreen()), screen, lit); }, timeout_ms);
}

}  // namespace zorv_e2e
