// The input room: the player's controls read into what the screens do with them.
//
// How a horizontal scroll bar's notification moves the value it shows: the codes it carries and
// the one stepping rule the settings screens' bars share.
#pragma once

namespace zorv {

// The codes of a horizontal scroll bar notification, by their system values.
enum ScrollCode {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollLeftEnd = 6,
    kScrollRightEnd = 7,
    kScrollEnd = 8,
};

// A bar's range and the step of a line or page.
struct ScrollRange {
    int min, max, step;
};

// The value after one notification: a line or page moves it one step toward that side, but not
// past the range's end; the thumb gives its position, held within the range; the ends give the
// range's ends; any other code leaves it unchanged. A value already outside the range (as a file
// may hold it) is stepped from where it is, without overflow.
int ScrolledValue(int value, int code, int thumbPosition, const ScrollRange& range);

}  // namespace zorv
