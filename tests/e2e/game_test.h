// The fixture of a test of one program run: a scratch copy of the game folder and the program
// guard. On failure the whole screen is saved as an artefact named after the test before the
// program is ended.
#ifndef ZORV_E2E_GAME_TEST_H
#define ZORV_E2E_GAME_TEST_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "files.h"

namespace zorv_e2e {

// "Suite.Name" of the running test.
std::string CurrentTestName();

class GameTest : public ::testing::Test {
protected:
    GameTest();
    void SetUp() override;
    void TearDown() override;

    // The scratch folder; change files in it before starting the program.
    ScratchFolder& folder() { return *folder_; }
    App& app() { return app_; }

    // Starts the program and gets it to its menu window through exactly these message boxes.
    ::testing::AssertionResult StartToMenu(const std::vector<std::string>& messages = {}) {
        return zorv_e2e::StartToMenu(app_, folder_->path(), messages);
    }

private:
    std::unique_ptr<ScratchFolder> folder_;
    App app_;
};

}  // namespace zorv_e2e

#endif  // ZORV_E2E_GAME_TEST_H
