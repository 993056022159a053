// A dialog's controls get its template's font at 96 pixels per inch, whatever resolution the
// system reports, and its owner deletes that font after the dialog. Where the system reports 96
// the controls keep the dialog manager's font, which is the same; the test command runs this
// once more in a Wine prefix that reports 144 (scripts/test.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "gdi_count_win.h"
#include "graphics/dpi_win.h"
#include "resource_ids.h"

namespace {

// What a dialog's controls were given at its initialisation.
struct Fonts {
    zorv::GdiObject<HFONT> kept;  // the controls' font, kept as long as the caller of the dialog runs
    LONG dialogHeight = 0;
    std::vector<HFONT> controls;
    std::vector<LONG> controlHeights;
};

LONG HeightOf(HFONT font) {
    LOGFONTA description = {};
    return font && GetObjectA(font, sizeof description, &description) ? description.lfHeight : 0;
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

INT_PTR CALLBACK TakeFonts(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    Fonts& fonts = *reinterpret_cast<Fonts*>(lParam);
    fonts.kept = zorv::UseTemplateFontAtDrawingDpi(dialog);
    fonts.dialogHeight = HeightOf(FontOf(dialog));
    // An icon takes no font.
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (HFONT font = FontOf(control)) {
            fonts.controls.push_back(font);
            fonts.controlHeights.push_back(HeightOf(font));
        }
    }
    EndDialog(dialog, 1);
    return TRUE;
}

// Opens and ends the game error report's template: 12 points of "System", an icon, a text and
// a push button. The font goes with the caller's record, after the dialog.
Fonts OpenAndEnd() {
    Fonts fonts;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GAME_ERROR), nullptr, TakeFonts,
                    reinterpret_cast<LPARAM>(&fonts));
    fonts.kept.reset();
    return fonts;
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

TEST(DrawingDpi, ControlsGetTheTemplateFontAt96AndItsOwnerDeletesIt) {
    const Fonts fonts = OpenAndEnd();
    ASSERT_EQ(2u, fonts.controls.size());
    for (size_t i = 0; i < fonts.controls.size(); ++i) {
        EXPECT_EQ(fonts.controls[0], fonts.controls[i]) << "one font for all controls";
        EXPECT_EQ(-MulDiv(12, 96, 72), fonts.controlHeights[i]) << "at " << SystemDpi() << " pixels per inch";
    }
    // The dialog keeps the dialog manager's font, made for the system's resolution.
    EXPECT_EQ(-MulDiv(12, SystemDpi(), 72), fonts.dialogHeight);
    EXPECT_EQ(0u, GetObjectType(fonts.controls[0])) << "the controls' font outlived the dialog";

    const int first = zorv_test::CountGdiObjects();
    for (int i = 0; i < 200; ++i) OpenAndEnd();
    EXPECT_LE(zorv_test::CountGdiObjects(), first + zorv_test::kOneTimeObjects);
}
