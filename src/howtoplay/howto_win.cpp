#include "howtoplay/howto_win.h"

#include "common/gdi_guards_win.h"
#include "graphics/dialog_layout_win.h"
#include "graphics/dpi_win.h"
#include "graphics/drawing_win.h"
#include "graphics/image_button_win.h"
#include "howtoplay/howto_buttons.h"
#include "howtoplay/howto_pages.h"
#include "resources/resource_ids.h"

namespace zorv {

namespace {

// The screen for the whole run: the page survives closing; owner, instance, client area and
// buttons belong to one opening (the pictures are loaded at each opening and freed at CLOSE).
struct HowToPlayState {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    RECT client = {};
    ButtonScreen buttons;
    int page = 0;
};
HowToPlayState g_howTo;

// The current page over the whole client area, then the buttons in their normal pictures.
void PaintPage(HDC dc) {
    DrawSlotScaled(dc, 0, 0, g_howTo.client.right, g_howTo.client.bottom, PageSlot(g_howTo.page));
    DrawAllButtons(dc, g_howTo.buttons);
}

void Dispatch(HWND window, HINSTANCE, int command) {
    switch (command) {
    case kCommandPreviousPage:
    case kCommandNextPage: {
        // Repainted at once, also when the page stays, and over the pressed picture.
        g_howTo.page = TurnPage(g_howTo.page, command);
        WindowDC dc(window);
        if (dc) PaintPage(dc.get());
        break;
    }
    case kCommandCloseHowToPlay:
        FreeButtons(g_howTo.buttons);
        EndDialog(window, 1);
        break;
    default: break;
    }
}

POINT ClientPoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void OnInit(HWND window) {
    UseTemplateFontAtDrawingDpi(window);
    // The client area goes where the pixels of the pages and buttons expect it.
    PlaceDialogInPixels(window, g_howTo.owner, kHowToPlayClientPlace);
    GetClientRect(window, &g_howTo.client);
    InitButtonScreen(g_howTo.buttons, kHowToPlayTable, Dispatch);
    LoadScreenImages(g_howTo.instance, g_howTo.buttons);
}

// Paints into the erase request's context and reports the background as erased.
void OnEraseBackground(HWND window, HDC dc) {
    PaintPage(dc);
    SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
}

void OnMouseMove(HWND window, LPARAM lParam) { TrackHover(window, g_howTo.buttons, ClientPoint(lParam)); }

void OnLeftButtonDown(HWND window, LPARAM lParam) {
    HandleClick(window, g_howTo.instance, g_howTo.buttons, ClientPoint(lParam));
}

void OnLeftButtonUp(HWND window, LPARAM lParam) { HandleRelease(window, g_howTo.buttons, ClientPoint(lParam)); }

// Handles no commands: Enter, Escape and the close command leave the screen open.
INT_PTR CALLBACK HowToPlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInit(window); return TRUE;
    case WM_ERASEBKGND: OnEraseBackground(window, reinterpret_cast<HDC>(wParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window, lParam); return TRUE;
    case WM_LBUTTONDOWN: OnLeftButtonDown(window, lParam); return TRUE;
    case WM_LBUTTONUP: OnLeftButtonUp(window, lParam); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool ShowHowToPlay(HWND owner, HINSTANCE instance) {
    g_howTo.owner = owner;
    g_howTo.instance = instance;
    // CLOSE ends the dialog with 1; -1 means the dialog could not be made.
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HOW_TO_PLAY), owner, HowToPlayProc, 0) > 0;
}

}  // namespace zorv
