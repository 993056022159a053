// The key configuration screen's button pictures: every opening loads fifteen pictures, each
// with its own palette, and its end releases all thirty handles, also after the JOYSTICK pair's
// pictures were exchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "graphics/image_button_win.h"
#include "keys/key_buttons.h"

using namespace zorv;

TEST(KeyButtons, EveryOpeningReleasesItsPicturesAndTheirPalettes) {
    ButtonScreen screen;
    for (int opening = 0; opening < 3; ++opening) {
        InitButtonScreen(screen, kKeyButtonTable);
        LoadScreenImages(GetModuleHandleA(nullptr), screen);
        std::swap(screen.images[kJoystickLeftIndex], screen.images[kJoystickRightIndex]);
        std::vector<HGDIOBJ> handles;
        for (int i = 0; i < kKeyButtonTable.count; ++i) {
            for (const ResourceImage* image :
                 {&screen.images[i].normal, &screen.images[i].highlighted, &screen.images[i].pressed}) {
                handles.push_back(image->bitmap.get());
                handles.push_back(image->palette.get());
            }
        }
        ASSERT_EQ(30u, handles.size());
        for (HGDIOBJ handle : handles) ASSERT_NE(0u, GetObjectType(handle)) << "opening " << opening;
        FreeButtons(screen);
        for (HGDIOBJ handle : handles) EXPECT_EQ(0u, GetObjectType(handle)) << "opening " << opening;
    }
}
