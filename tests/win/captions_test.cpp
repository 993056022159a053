// The caption file read through its full path, the caption font at 96 pixels per inch whatever
// the display reports (the test command runs it at 144 too), the captions drawn onto a window of
// our own, and in the system's code page (the test command runs them in code page 1251 too).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "audio/audio_buttons.h"
#include "captions/caption_file.h"
#include "captions/captions_win.h"
#include "platform/gdi_guards_win.h"
#include "settings/game_files.h"
#include "test_files_win.h"
#include "video/video_buttons.h"

using namespace zorv;

namespace {

// Every test works on the process-wide table; it is put back as it was afterwards.
class Captioned : public ::testing::Test {
protected:
    void SetUp() override { saved_ = Captions(); }
    void TearDown() override { Captions() = saved_; }
private:
    CaptionTable saved_;
};

// A black popup window, shown and painted, that the captions are drawn on.
class CaptionWindow {
public:
    CaptionWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "ZorvCaptionTest";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    ~CaptionWindow() { DestroyWindow(window_); }
    CaptionWindow(const CaptionWindow&) = delete;
    CaptionWindow& operator=(const CaptionWindow&) = delete;
    HWND get() const { return window_; }

    // Pixels of the caption colour (anti-aliased edges on black keep red and blue at 0) in
    // the rectangle [left, right) x [top, bottom) of the client area.
    int GreenPixels(int left, int top, int right, int bottom) const {
        WindowDC dc(window_);
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                COLORREF c = GetPixel(dc.get(), x, y);
                if (c != CLR_INVALID && GetRValue(c) == 0 && GetBValue(c) == 0 && GetGValue(c) >= 128) {
                    ++count;
                }
            }
        }
        return count;
    }
private:
    HWND window_ = nullptr;
};

LOGFONTA Describe(HFONT font) {
    LOGFONTA lf = {};
    EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    return lf;
}

int AverageWidth(HWND window, HFONT font) {
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc.get(), &tm);
    return tm.tmAveCharWidth;
}

std::string TempFolder() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "zorv_captions_" + std::to_string(GetCurrentProcessId());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(zorv_test::WriteBytes(path, bytes)) << path;
}

// The game folder layout in a temporary folder that is the current directory while a test runs.
class CaptionFile : public Captioned {
protected:
    void SetUp() override {
        Captioned::SetUp();
        GetCurrentDirectoryA(MAX_PATH, previous_);
        folder_ = TempFolder();
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\info").c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_);
        DeleteFileA((folder_ + "\\info\\String.dat").c_str());
        RemoveDirectoryA((folder_ + "\\info").c_str());
        RemoveDirectoryA(folder_.c_str());
        Captioned::TearDown();
    }
    std::string folder_;
    char previous_[MAX_PATH] = {};
};

TEST_F(CaptionFile, ReadsTheFileInTextMode) {
    WriteBytes(folder_ + "\\info\\String.dat",
               "FONT:\tTahoma\r\nFHeight: 105\r\nFWidth: 0\r\n"
               "a0: MUSIC VOLUME\r\na1:  SOUND\r\n"
               "v0:\tDRIVER\r\nv1: MODE\tcomment\r\nv2: LEVEL\r\n"
               "wm: Reinstall the game." +
                   std::string(120, '!') + "\r\n");
    std::strcpy(Captions().face, "Old");
    Captions().width = 33;
    ASSERT_TRUE(ReadCaptionFile(kCaptionFile));
    const CaptionTable& t = Captions();
    EXPECT_STREQ(t.face, "Tahoma");
    EXPECT_EQ(t.height, 105);
    EXPECT_EQ(t.width, 0);
    EXPECT_STREQ(t.audio[0], "MUSIC VOLUME");
    EXPECT_STREQ(t.audio[1], " SOUND");
    EXPECT_STREQ(t.video[0], "DRIVER");
    EXPECT_STREQ(t.video[1], "MODE");
    EXPECT_STREQ(t.video[2], "LEVEL");
    EXPECT_EQ(std::string(t.explanation), ("Reinstall the game." + std::string(120, '!')).substr(0, 99));
}

TEST_F(CaptionFile, AMissingFileChangesNothing) {
    std::strcpy(Captions().face, "Kept Face");
    std::strcpy(Captions().video[2], "kept caption");
    Captions().height = 77;
    const CaptionTable before = Captions();
    EXPECT_FALSE(ReadCaptionFile(kCaptionFile));
    EXPECT_EQ(std::memcmp(&before, &Captions(), sizeof before), 0);
}

// The pixels of a black 320 x 240 picture after `draw` has drawn into it.
template <typename Draw>
std::vector<DWORD> DrawnPixels(Draw draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 320;
    info.bmiHeader.biHeight = -240;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    MemoryDC dc(nullptr);
    GdiObject<HBITMAP> picture(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) return {};
    SelectedObject selected(dc.get(), picture.get());
    draw(dc.get());
    GdiFlush();
    return std::vector<DWORD>(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + 320 * 240);
}

// A caption's bytes are text in the system's ANSI code page: the caption font has the system's
// character set and the file's sizes, and the caption shows the characters that code page gives its
// bytes. The test command runs this once more where the code page is 1251 (ZORV_CODE_PAGE names it).
TEST_F(CaptionFile, CaptionsShowTheSystemsCodePagesCharacters) {
    const char* page = std::getenv("ZORV_CODE_PAGE");
    ASSERT_TRUE(!page || GetACP() == std::strtoul(page, nullptr, 10)) << "the code page is " << GetACP();
    CHARSETINFO system = {};
    ASSERT_TRUE(
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &system, TCI_SRCCODEPAGE));
    const std::string music = "\xC3\xF0\xEE\xEC\xEA\xEE\xF1\xF2\xFC \xEC\xF3\xE7\xFB\xEA\xE8";  // in 1251
    WriteBytes(folder_ + "\\info\\String.dat", "FONT: Tahoma\r\nFHeight: 120\r\na0: " + music + "\r\n");
    ASSERT_TRUE(ReadCaptionFile(kCaptionFile));
    CaptionWindow window;
    // Drawn half a point higher than the file says and as wide, at a width where half a point
    // more would make another font.
    CaptionTable& t = Captions();
    auto lfWidth = [&](int width) {
        return Describe(CreateScaledFont(window.get(), t.face, t.height + 5, width).get()).lfWidth;
    };
    for (t.width = 100; t.width < 400 && lfWidth(t.width) == lfWidth(t.width + 5);) ++t.width;
    const CaptionPlace& place = kAudioScreen.captions.entries[0];
    const std::vector<DWORD> drawn = DrawnPixels([&](HDC dc) { DrawCaptions(window.get(), dc, &place, 1); });

    // The same characters drawn from Unicode in the caption font.
    wchar_t text[kCaptionChars + 1] = {};
    const int length = MultiByteToWideChar(CP_ACP, 0, music.c_str(), -1, text, kCaptionChars + 1) - 1;
    ASSERT_EQ(length, static_cast<int>(music.size()));
    GdiObject<HFONT> font(CreateScaledFont(window.get(), t.face, t.height + 5, t.width));
    const std::vector<DWORD> expected = DrawnPixels([&](HDC dc) {
        SelectedObject selected(dc, font.get());
        EXPECT_EQ(GetTextCharsetInfo(dc, nullptr, 0), static_cast<int>(system.ciCharset));
        SetTextColor(dc, RGB(0, 255, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, place.x, place.y, text, length);
    });
    EXPECT_NE(expected, std::vector<DWORD>(expected.size())) << "nothing drawn";
    EXPECT_TRUE(drawn == expected) << "the caption is not the code page's characters in the caption font";
}

TEST_F(Captioned, FontHeightIsInPixelsAt96PerInchWhateverTheDisplayReports) {
    CaptionWindow window;
    const std::string longFace(40, 'F');
    const struct {
        const char* face;
        int height;
        LONG lfHeight;
        const char* storedFace;
    } cases[] = {
        {"Tahoma", 100, -13, "Tahoma"},  // 9.5 points as the dialogs draw them
        {"Tahoma", 110, -15, "Tahoma"},
        {"", 5, -1, ""},  // file height 0: the system's face, one pixel
        {"Tahoma", -100, -13, "Tahoma"},
        {longFace.c_str(), 100, -13, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},  // cut to 31 characters
    };
    for (const auto& c : cases) {
        GdiObject<HFONT> font(CreateScaledFont(window.get(), c.face, c.height, 0));
        ASSERT_TRUE(font) << c.height;
        const LOGFONTA lf = Describe(font.get());
        EXPECT_EQ(lf.lfHeight, c.lfHeight) << c.height;
        EXPECT_EQ(lf.lfWidth, 0) << c.height;
        EXPECT_EQ(lf.lfEscapement, 0);
        EXPECT_EQ(lf.lfWeight, 0);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, c.storedFace);
    }
}

TEST_F(Captioned, FontWidthScalesTheFacesAverageWidth) {
    CaptionWindow window;
    const int height = 200;
    GdiObject<HFONT> own(CreateScaledFont(window.get(), "Tahoma", height, 0));
    GdiObject<HFONT> same(CreateScaledFont(window.get(), "Tahoma", height, height));
    GdiObject<HFONT> twice(CreateScaledFont(window.get(), "Tahoma", height, 2 * height));
    ASSERT_TRUE(own && same && twice);
    const int ownWidth = AverageWidth(window.get(), own.get());
    ASSERT_GT(ownWidth, 3);
    EXPECT_EQ(Describe(same.get()).lfWidth, ownWidth);
    EXPECT_NEAR(AverageWidth(window.get(), same.get()), ownWidth, 1);
    EXPECT_NEAR(AverageWidth(window.get(), twice.get()), 2 * ownWidth, 2);

    // A height of y == 0 gives the width nothing to scale against: the width step is skipped.
    GdiObject<HFONT> flat(CreateScaledFont(window.get(), "Tahoma", 0, height));
    ASSERT_TRUE(flat);
    EXPECT_EQ(Describe(flat.get()).lfWidth, 0);
}

TEST_F(Captioned, CaptionsAreDrawnGreenAtTheirPlaces) {
    CaptionWindow window;
    CaptionTable& t = Captions();
    std::strcpy(t.face, "Tahoma");
    t.height = 120;
    t.width = 0;
    std::strcpy(t.video[0], "MMMM");
    std::strcpy(t.video[1], "MMMM");
    std::strcpy(t.video[2], "MMMM");
    std::strcpy(t.audio[0], "MMMM");
    std::strcpy(t.audio[1], "MMMM");

    auto draw = [&](const CaptionList& captions) {
        WindowDC dc(window.get());
        DrawCaptions(window.get(), dc.get(), captions.entries, captions.count);
    };
    draw(kVideoScreen.captions);
    // Each caption's top left is its place; a 12.5-point line is well under 40 pixels tall.
    const int videoRows[] = {20, 93, 162};
    for (int top : videoRows) EXPECT_GT(window.GreenPixels(22, top, 160, top + 40), 20) << top;
    EXPECT_EQ(window.GreenPixels(0, 0, 320, 20), 0);
    EXPECT_EQ(window.GreenPixels(0, 0, 22, 240), 0);
    EXPECT_EQ(window.GreenPixels(0, 202, 320, 240), 0);

    InvalidateRect(window.get(), nullptr, TRUE);
    UpdateWindow(window.get());
    draw(kAudioScreen.captions);
    const int audioRows[] = {53, 133};
    for (int top : audioRows) EXPECT_GT(window.GreenPixels(22, top, 160, top + 40), 20) << top;
    EXPECT_EQ(window.GreenPixels(0, 0, 320, 53), 0);
    EXPECT_EQ(window.GreenPixels(0, 0, 22, 240), 0);
}

}  // namespace
