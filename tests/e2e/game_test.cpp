#include "game_test.h"

#include "input.h"
#include "screen_pixels.h"

namespace zorv_e2e {

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
}

GameTest::GameTest() : folder_(new ScratchFolder(CurrentTestName())) {}

void GameTest::SetUp() {
    ASSERT_TRUE(folder_->ok()) << folder_->error();
    // Where an earlier test left the pointer, it could light a button as the menu shows.
    ParkCursor();
}

void GameTest::TearDown() {
    if (HasFailure()) SaveArtifact(WholeScreen(), CurrentTestName() + ".failure");
    app_.Kill();
}

}  // namespace zorv_e2e
