#include "screens.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace zorv_e2e {
namespace {

constexpr DWORD kPollMs = 20;
// A picture counts as shown when at least this share of its pixels is exactly on the screen;
// the rest leaves room for a cursor drawn into the capture.
constexpr double kMatchShare = 0.97;
constexpr int kSampleStep = 23;
constexpr int kCursorMargin = 40;

Picture PictureOf(HBITMAP bitmap) {
  Picture picture;
  BITMAP size{};
  if (!bitmap || !GetObjectA(bitmap, sizeof size, &size) || size.bmWidth <= 0 ||
      size.bmHeight <= 0) {
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
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != size.bmHeight) return picture;
  for (DWORD& p : pixels) p &= 0xFFFFFF;
  picture.width = size.bmWidth;
  picture.height = size.bmHeight;
  picture.bits_per_pixel = size.bmBitsPixel;
  picture.pixels.swap(pixels);
  return picture;
}

Picture BitmapResourceOf(HMODULE module, int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  Picture picture = PictureOf(bitmap);
  if (bitmap) DeleteObject(bitmap);
  return picture;
}

COLORREF AsColorRef(DWORD rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

const MenuButton kMainButtons[kMainButtonCount] = {
    {"START GAME", {273, 86, 417, 171}, 190, 191, 189},
    {"NETWORK GAME", {5, 145, 204, 230}, 193, 194, 192},
    {"OPTION", {484, 297, 634, 358}, 196, 197, 195},
    {"QUIT ZORV 3D", {465, 145, 634, 230}, 199, 200, 198},
};

// Rectangle i is (17, 67 + 60i, 206, 102 + 60i).
const MenuButton kOptionsButtons[kOptionsButtonCount] = {
    {"SETUP INPUT DEVICE", {17, 67, 206, 102}, 202, 203, 201},
    {"AUDIO CALIBRATION", {17, 127, 206, 162}, 205, 206, 204},
    {"VIDEO CALIBRATION", {17, 187, 206, 222}, 208, 209, 207},
    {"HOW TO PLAY", {17, 247, 206, 282}, 211, 212, 210},
    {"CLOSE", {17, 307, 206, 342}, 296, 297, 295},
};

const MenuButton* ButtonsOf(Screen screen, int* count) {
  *count = screen == Screen::kMain ? static_cast<int>(kMainButtonCount)
                                   : static_cast<int>(kOptionsButtonCount);
  return screen == Screen::kMain ? kMainButtons : kOptionsButtons;
}

const char* ScreenName(Screen screen) {
  return screen == Screen::kMain ? "main menu" : "options menu";
}

// The share of the picture's pixels that the screen shows at the client point `at`.
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

int CountOccurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
    ++n;
  return n;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The name as Wine's debugstr_w writes it between the quotes: backslashes doubled.
std::string TraceSpelling(const std::string& name) {
  std::string out;
  for (char c : name) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

// The lines of a trace that name a sound call, for a failure message.
std::string SoundLines(const std::string& trace) {
  std::string lines;
  size_t start = 0;
  while (start < trace.size()) {
    size_t end = trace.find('\n', start);
    if (end == std::string::npos) end = trace.size();
    std::string line = trace.substr(start, end - start);
    if (line.find("MULTIMEDIA_PlaySound") != std::string::npos ||
        line.find("SoundName=") != std::string::npos) {
      lines += line + "\n";
    }
    start = end + 1;
  }
  return lines;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pictures

Picture LoadBitmapResource(const std::string& exe, int id) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Picture picture = module ? BitmapResourceOf(module, id) : Picture();
  if (module) FreeLibrary(module);
  return picture;
}

Picture LoadBitmapFile(const std::string& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  Picture picture = PictureOf(bitmap);
  if (bitmap) DeleteObject(bitmap);
  return picture;
}

// ---------------------------------------------------------------------------------------------
// Buttons

const MenuButton& MainMenuButton(int index) {
  return kMainButtons[index];
}
const MenuButton& OptionsMenuButton(int index) {
  return kOptionsButtons[index];
}

POINT Centre(const MenuButton& button) {
  return POINT{(button.hot.left + button.hot.right) / 2, (button.hot.top + button.hot.bottom) / 2};
}

const char* LookName(Look look) {
  switch (look) {
    case Look::kNormal:
      return "normal";
    case Look::kHighlighted:
      return "highlighted";
    case Look::kPressed:
      return "pressed";
    default:
      return "none of its pictures";
  }
}

MenuView::MenuView(HWND menu, const std::string& exe, const std::string& folder) : menu_(menu) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) error_ = "cannot open " + exe + " as a data file; ";
  auto load = [&](const MenuButton& button) {
    if (!module) return;
    ButtonPictures pictures{&button, BitmapResourceOf(module, button.normal),
                            BitmapResourceOf(module, button.highlighted),
                            BitmapResourceOf(module, button.pressed)};
    if (!pictures.normal.ok() || !pictures.highlighted.ok() || !pictures.pressed.ok()) {
      error_ += std::string("cannot load the pictures of ") + button.name + " from " + exe + "; ";
    }
    buttons_.push_back(pictures);
  };
  for (const MenuButton& button : kMainButtons) load(button);
  for (const MenuButton& button : kOptionsButtons) load(button);
  if (module) FreeLibrary(module);
  main_background_ = LoadBitmapFile(JoinPath(folder, "resource\\background\\MainBK.bmp"));
  options_background_ = LoadBitmapFile(JoinPath(folder, "resource\\background\\OptionBK.bmp"));
}

RECT MenuView::OnScreen() const {
  RECT client = ClientRectOf(menu_);
  POINT origin{0, 0};
  ClientToScreen(menu_, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return client;
}

std::string MenuView::PictureProblems() const {
  std::string problems;
  for (const ButtonPictures& pictures : buttons_) {
    const RECT& hot = pictures.button->hot;
    const Picture* three[3] = {&pictures.normal, &pictures.highlighted, &pictures.pressed};
    const int ids[3] = {pictures.button->normal, pictures.button->highlighted,
                        pictures.button->pressed};
    for (int i = 0; i < 3; ++i) {
      const Picture& p = *three[i];
      if (p.width != hot.right - hot.left + 1 || p.height != hot.bottom - hot.top + 1 ||
          p.bits_per_pixel != 8) {
        problems += "bitmap " + std::to_string(ids[i]) + " (" + pictures.button->name + ") is " +
                    std::to_string(p.width) + "x" + std::to_string(p.height) + " at " +
                    std::to_string(p.bits_per_pixel) + " bits per pixel; ";
      }
    }
  }
  return problems;
}

const MenuView::ButtonPictures* MenuView::PicturesOf(const MenuButton& button) const {
  for (const ButtonPictures& pictures : buttons_) {
    if (pictures.button == &button) return &pictures;
  }
  return nullptr;
}

Look MenuView::LookOf(const MenuButton& button, std::string* detail) const {
  POINT origin{button.hot.left, button.hot.top};
  ClientToScreen(menu_, &origin);
  // The pictures cover the hot rectangle and its right and bottom edges.
  RECT area{origin.x, origin.y, origin.x + button.hot.right - button.hot.left + 1,
            origin.y + button.hot.bottom - button.hot.top + 1};
  return LookIn(ScreenCapture(area), button, detail);
}

Look MenuView::LookIn(const ScreenCapture& shot, const MenuButton& button,
                      std::string* detail) const {
  const ButtonPictures* pictures = PicturesOf(button);
  if (!pictures || !pictures->normal.ok()) return Look::kNone;
  POINT origin{button.hot.left, button.hot.top};
  ClientToScreen(menu_, &origin);
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
    std::snprintf(text, sizeof text,
                  "matching pixels: normal %.1f%%, highlighted %.1f%%, pressed %.1f%%",
                  shares[0] * 100, shares[1] * 100, shares[2] * 100);
    *detail = text;
  }
  bool unique = true;
  for (int i = 0; i < 3; ++i) {
    if (i != best && shares[i] >= shares[best]) unique = false;
  }
  return shares[best] >= kMatchShare && unique ? looks[best] : Look::kNone;
}

::testing::AssertionResult MenuView::Shows(const MenuButton& button, Look look,
                                           DWORD timeout_ms) const {
  DWORD start = GetTickCount();
  for (;;) {
    std::string detail;
    Look seen = LookOf(button, &detail);
    if (seen == look) return ::testing::AssertionSuccess();
    if (GetTickCount() - start >= timeout_ms) {
      return ::testing::AssertionFailure()
             << button.name << " shows " << LookName(seen) << ", expected " << LookName(look)
             << " (" << detail << ")";
    }
    Sleep(kPollMs);
  }
}

std::vector<POINT> MenuView::BackgroundSamples(Screen screen) const {
  int count = 0;
  const MenuButton* buttons = ButtonsOf(screen, &count);
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  ScreenToClient(menu_, &cursor);
  const RECT client = ClientRectOf(menu_);
  std::vector<POINT> samples;
  for (int y = kSampleStep / 2; y < client.bottom; y += kSampleStep) {
    for (int x = kSampleStep / 2; x < client.right; x += kSampleStep) {
      POINT p{x, y};
      bool covered =
          std::abs(x - cursor.x) < kCursorMargin && std::abs(y - cursor.y) < kCursorMargin;
      for (int i = 0; i < count && !covered; ++i) {
        RECT picture = buttons[i].hot;
        InflateRect(&picture, 1, 1);  // the picture also covers the right and bottom edges
        covered = PtInRect(&picture, p) != 0;
      }
      if (!covered) samples.push_back(p);
    }
  }
  return samples;
}

std::string MenuView::BackgroundMismatch(const ScreenCapture& shot, Screen screen) const {
  const Picture& background = screen == Screen::kMain ? main_background_ : options_background_;
  if (!background.ok())
    return std::string("the ") + ScreenName(screen) + " background file cannot be read";
  const RECT area = OnScreen();
  if (!shot.ok()) return "the screen cannot be captured";
  std::vector<POINT> samples = BackgroundSamples(screen);
  int wrong = 0;
  std::string first;
  for (const POINT& p : samples) {
    if (p.x >= background.width || p.y >= background.height) continue;
    COLORREF expected = AsColorRef(background.At(p.x, p.y));
    COLORREF seen = shot.Pixel(area.left + p.x, area.top + p.y);
    if (seen != expected && wrong++ == 0) {
      first = "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") is " + ColorText(seen) +
              ", the picture has " + ColorText(expected);
    }
  }
  if (samples.size() < 200) return "too few sample points (" + std::to_string(samples.size()) + ")";
  if (wrong == 0) return std::string();
  return std::to_string(wrong) + " of " + std::to_string(samples.size()) +
         " sample points of the " + ScreenName(screen) + " background differ; first: " + first;
}

::testing::AssertionResult MenuView::ShowsBackground(Screen screen, DWORD timeout_ms) const {
  DWORD start = GetTickCount();
  for (;;) {
    std::string mismatch = BackgroundMismatch(ScreenCapture(OnScreen()), screen);
    if (mismatch.empty()) return ::testing::AssertionSuccess();
    if (GetTickCount() - start >= timeout_ms) return ::testing::AssertionFailure() << mismatch;
    Sleep(kPollMs);
  }
}

::testing::AssertionResult MenuView::ShowsWhole(Screen screen, const MenuButton* lit,
                                                DWORD timeout_ms) const {
  int count = 0;
  const MenuButton* buttons = ButtonsOf(screen, &count);
  DWORD start = GetTickCount();
  for (;;) {
    // One capture for all, so that what passes was on the screen at one moment.
    ScreenCapture shot(OnScreen());
    std::string mismatch = BackgroundMismatch(shot, screen);
    for (int i = 0; i < count && mismatch.empty(); ++i) {
      Look expected = &buttons[i] == lit ? Look::kHighlighted : Look::kNormal;
      std::string detail;
      Look seen = LookIn(shot, buttons[i], &detail);
      if (seen != expected) {
        mismatch = std::string("on the ") + ScreenName(screen) + ", " + buttons[i].name +
                   " shows " + LookName(seen) + ", expected " + LookName(expected) + " (" + detail +
                   ")";
      }
    }
    if (mismatch.empty()) return ::testing::AssertionSuccess();
    if (GetTickCount() - start >= timeout_ms) return ::testing::AssertionFailure() << mismatch;
    Sleep(kPollMs);
  }
}

// ---------------------------------------------------------------------------------------------
// Sounds

std::string SoundCounts::Text() const {
  return std::to_string(hover) + " hover and " + std::to_string(click) + " click sounds (" +
         std::to_string(calls) + " sound calls, " + std::to_string(named) + " named)";
}

SoundCounts CountSounds(const std::string& trace) {
  SoundCounts counts;
  const std::string named = "proc_PlaySound SoundName=L\"";
  const std::string hover = Lower(named + TraceSpelling(kHoverSound) + "\"");
  const std::string click = Lower(named + TraceSpelling(kClickSound) + "\"");
  counts.calls = CountOccurrences(trace, "trace:winmm:MULTIMEDIA_PlaySound ");
  counts.named = CountOccurrences(trace, named);
  // Parts of the program spell the folder ".\Sound\": the same file on this platform.
  const std::string lower = Lower(trace);
  counts.hover = CountOccurrences(lower, hover);
  counts.click = CountOccurrences(lower, click);
  return counts;
}

::testing::AssertionResult SoundsPlayed(const App& app, int hover, int click, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    SoundCounts counts = CountSounds(app.WineTrace());
    bool settled = counts.calls == counts.named;
    if (settled && counts.hover == hover && counts.click == click)
      return ::testing::AssertionSuccess();
    // Counts only grow: one past the expected number is final.
    bool too_many = counts.hover > hover || counts.click > click;
    if (too_many || GetTickCount() - start >= timeout_ms) {
      if (counts.calls == 0) {
        return ::testing::AssertionFailure() << "Wine's trace holds no sound call at all (expected "
                                             << hover << " hover and " << click << " click sounds)";
      }
      return ::testing::AssertionFailure()
             << "the trace shows " << counts.Text() << ", expected " << hover << " hover and "
             << click << " click sounds; its sound lines:\n"
             << SoundLines(app.WineTrace());
    }
    Sleep(kPollMs);
  }
}

}  // namespace zorv_e2e
