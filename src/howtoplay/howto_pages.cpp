#include "howtoplay/howto_pages.h"

#include "graphics/picture_slot.h"
#include "howtoplay/howto_buttons.h"

namespace zorv {

namespace {

int Clamp(int page) { return page < 0 ? 0 : page >= kHowToPlayPages ? kHowToPlayPages - 1 : page; }

}  // namespace

int TurnPage(int page, int command) {
    page = Clamp(page);
    if (command == kCommandPreviousPage) return Clamp(page - 1);
    if (command == kCommandNextPage) return Clamp(page + 1);
    return page;
}

int PageSlot(int page) { return kSlotHowToPlay1 + Clamp(page); }

}  // namespace zorv
