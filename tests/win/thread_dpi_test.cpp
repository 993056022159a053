// A thread made unaware of the display's resolution: the system's metrics it asks for are those
// at 96 dots per inch, the windows made meanwhile keep that for their lives, and an aware
// window's place is still had in pixels. Meaningful where the system reports more than 96: the
// test command runs it once more in a Wine prefix that reports 144 (scripts/test.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/library_function_win.h"
#include "platform/thread_dpi_win.h"

namespace {

// The scroll-bar width at 96 dots per inch, whatever the system reports.
int ScrollBarWidthAt96() {
    using ForDpi = int(WINAPI*)(int, UINT);
    const ForDpi forDpi = zorv::FindFunction(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi");
    return forDpi ? forDpi(SM_CXVSCROLL, 96) : GetSystemMetrics(SM_CXVSCROLL);
}

int ArrowWidth(HWND bar) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    return GetScrollBarInfo(bar, OBJID_CLIENT, &info) ? info.dxyLineButton : -1;
}

HWND Popup(const char* windowClass, DWORD style, int x, int y, int width, int height) {
    return CreateWindowExA(0, windowClass, "", WS_POPUP | style, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(ThreadDpi, AnUnawareThreadMakesWindowsAt96AndStillPlacesAwareOnesInPixels) {
    const int systemWidth = GetSystemMetrics(SM_CXVSCROLL);
    HWND aware = Popup("STATIC", 0, 100, 80, 300, 200);
    ASSERT_TRUE(aware != nullptr);
    RECT pixels = {};
    GetWindowRect(aware, &pixels);
    POINT clientOrigin = {0, 0};
    ClientToScreen(aware, &clientOrigin);

    HWND bar = nullptr;
    {
        zorv::ThreadDpiAwareness unaware;
        EXPECT_EQ(ScrollBarWidthAt96(), GetSystemMetrics(SM_CXVSCROLL));
        bar = Popup("SCROLLBAR", SBS_HORZ, 10, 10, 200, 20);
        ASSERT_TRUE(bar != nullptr);
        const RECT place = zorv::WindowRectInPixels(aware);
        EXPECT_TRUE(EqualRect(&place, &pixels));
        const POINT at = zorv::ClientToScreenInPixels(aware, {5, 7});
        EXPECT_EQ(clientOrigin.x + 5, at.x);
        EXPECT_EQ(clientOrigin.y + 7, at.y);
    }
    // The thread is aware again; the bar made meanwhile keeps its arrows at 96.
    EXPECT_EQ(systemWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(ScrollBarWidthAt96(), ArrowWidth(bar));
    DestroyWindow(bar);
    DestroyWindow(aware);
}

// Where GetAncestor is missing the chain is walked by hand. Each window ends at the root owner
// it must have, whichever way is taken: a child goes on through its parent and a popup through
// its owner, since GetParent names both; an owned window that is neither stops at itself, since
// GetParent does not name its owner.
TEST(ThreadDpi, TheRootOwnerIsTheOneEachWindowMustHaveAlsoWalkedByHand) {
    HWND root = Popup("STATIC", 0, 0, 0, 100, 100);
    HWND owned = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 50, 50, root, nullptr, nullptr, nullptr);
    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, owned, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, popup, nullptr, nullptr, nullptr);
    HWND rootPopup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, root, nullptr, nullptr, nullptr);
    ASSERT_TRUE(root && owned && popup && child && rootPopup);
    const struct {
        HWND window, rootOwner;
    } cases[] = {{root, root}, {owned, owned}, {popup, owned}, {child, owned}, {rootPopup, root}, {nullptr, nullptr}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.rootOwner, zorv::RootOwnerByChain(c.window)) << c.window;
        EXPECT_EQ(c.rootOwner, zorv::RootOwner(c.window)) << c.window;
    }
    DestroyWindow(root);
}

}  // namespace
