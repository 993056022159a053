// The how-to-play screen's pages: three pictures, turned one at a time and never past either end.
#pragma once

namespace zorv {

constexpr int kHowToPlayPages = 3;

// The page a page-turning command leads to from `page`; any other command leaves it. A page out
// of range is first brought back into it.
int TurnPage(int page, int command);

// The picture slot that holds a page's picture (how1 to how3 in slots 6 to 8).
int PageSlot(int page);

}  // namespace zorv
