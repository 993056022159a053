// The nine picture slots by what they hold. Start-up reads the frame's background into slot 0
// and the menus read the eight screen pictures into slots 1 to 8; every screen names the slot
// its background comes from.
#pragma once

namespace zorv {

enum PictureSlot : int {
    kSlotFrameBackground = 0,  // background.bmp, drawn over the full-screen frame
    kSlotMainMenu = 1,         // MainBK.bmp
    kSlotOptionsMenu = 2,      // OptionBK.bmp
    kSlotKeys = 3,             // inputBK.bmp
    kSlotAudio = 4,            // smallwin.bmp
    kSlotVideo = 5,            // smallwin.bmp again, read a second time for the video screen
    kSlotHowToPlay1 = 6,       // how1.bmp to how3.bmp, the how-to-play pages
    kSlotHowToPlay2 = 7,
    kSlotHowToPlay3 = 8,
};

constexpr int kFirstScreenSlot = kSlotMainMenu;
constexpr int kLastScreenSlot = kSlotHowToPlay3;

}  // namespace zorv
