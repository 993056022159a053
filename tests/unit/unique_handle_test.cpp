// The one owner of handles: every handle it takes is closed exactly once, whatever way it goes.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/unique_handle.h"

using namespace zorv;

namespace {

std::vector<int> g_closed;

// Handles as the kernel's: 0 and -1 both mean none.
struct CountedTraits {
    using Handle = int;
    static Handle Empty() { return 0; }
    static bool IsEmpty(Handle handle) { return handle == 0 || handle == -1; }
    static void Close(Handle handle) { g_closed.push_back(handle); }
};
using Counted = UniqueHandle<CountedTraits>;

void CloseInt(int handle) { g_closed.push_back(handle); }
void CloseFromOwner(int owner, int value) { g_closed.push_back(owner * 100 + value); }

}  // namespace

TEST(UniqueHandle, ClosesEachHandleOnceOnEveryWayOut) {
    g_closed.clear();
    {
        Counted none(-1), one(1), two(2), three(3);
        EXPECT_FALSE(none);
        EXPECT_EQ(none.get(), 0) << "every empty value is held as the one empty value";
        EXPECT_TRUE(one);

        Counted moved(std::move(one));
        EXPECT_FALSE(one);
        EXPECT_EQ(moved.get(), 1);
        two = std::move(moved);  // 2 goes, 1 is taken over
        EXPECT_EQ(g_closed, std::vector<int>{2});
        Counted& same = two;
        two = std::move(same);
        EXPECT_EQ(two.get(), 1) << "a move onto itself keeps the handle";

        EXPECT_EQ(three.release(), 3);
        three.reset(4);
        three.reset(5);    // 4 goes
        *three.put() = 6;  // 5 goes, 6 is owned
        EXPECT_EQ(g_closed, (std::vector<int>{2, 4, 5}));
    }
    EXPECT_EQ(g_closed, (std::vector<int>{2, 4, 5, 6, 1})) << "the rest at scope end, 3 never";

    g_closed.clear();
    {
        UniqueHandle<CloseWith<int, CloseInt, -1>> file(7), failed(-1);
        EXPECT_TRUE(file);
        EXPECT_FALSE(failed);
        // A value closed with what it belongs to; nothing to close without a value.
        UniqueHandle<CloseWithOwner<int, int, CloseFromOwner>> paired({3, 8}), unpaired({4, 0});
        EXPECT_FALSE(unpaired);
    }
    EXPECT_EQ(g_closed, (std::vector<int>{308, 7}));
}
