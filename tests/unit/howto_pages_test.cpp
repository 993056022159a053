// The how-to-play screen's page turns and which picture each page shows.
#include <gtest/gtest.h>

#include "howtoplay/howto_buttons.h"  // the command codes
#include "howtoplay/howto_pages.h"

namespace zorv {
namespace {

TEST(HowToPlayPages, TurnsStopAtBothEndsAndOtherCommandsKeepThePage) {
    struct Case {
        int page, command, expected;
    } cases[] = {
        {0, kCommandNextPage, 1},
        {1, kCommandNextPage, 2},
        {2, kCommandNextPage, 2},
        {2, kCommandPreviousPage, 1},
        {1, kCommandPreviousPage, 0},
        {0, kCommandPreviousPage, 0},
        {1, kCommandCloseHowToPlay, 1},
        {1, 0, 1},
        {1, 999, 1},
        {-5, kCommandNextPage, 1},
        {7, kCommandPreviousPage, 1},
        {7, 0, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TurnPage(c.page, c.command), c.expected) << "page " << c.page << ", command " << c.command;
    EXPECT_EQ(PageSlot(0), 6);
    EXPECT_EQ(PageSlot(2), 8);
    EXPECT_EQ(PageSlot(3), 8) << "never past the last page's slot";
}

}  // namespace
}  // namespace zorv
