// What the user is told at the end of an install or a removal, for every status code.
#include <gtest/gtest.h>
#include "installer/run/run_outcome.h"

namespace {

TEST(RunOutcome, InstallStatusPicksItsMessageOrTheRestartQuestion) {
    struct Case { int status; bool restart; int message; bool ask; };
    const Case cases[] = {
        {0, false, IDS_INSTALL_DONE, false},
        {0, true, 0, true},
        {1, false, IDS_INSTALL_FAILED, false},
        {2, false, IDS_INSTALL_FAILED, false},
        {3, true, IDS_INSTALL_FAILED, false},     // a failed run never asks for the restart
        {4, false, IDS_INSTALL_FAILED, false},
        {5, true, IDS_INSTALL_DONE_NO_GROUP, false},
        {6, false, IDS_INSTALL_FAILED, false},
        {7, true, 0, false},
        {-1, false, 0, false},
    };
    for (const Case& c : cases) {
        RunOutcome outcome = InstallRunOutcome(c.status, c.restart);
        EXPECT_EQ(c.message, outcome.message) << c.status;
        EXPECT_EQ(c.ask, outcome.askRestart) << c.status;
    }
}

TEST(RunOutcome, RemovalStatusPicksItsMessageOrTheRestartQuestion) {
    struct Case { int status; bool restart; int message; bool ask; };
    const Case cases[] = {
        {0, false, IDS_REMOVE_DONE, false},
        {0, true, 0, true},
        {0x101, true, IDS_REMOVE_FAILED, false},
        {0x103, false, 0, false},     // the end status never carries these
        {0x104, false, 0, false},
        {0x105, true, 0, false},
        {0x106, false, IDS_REMOVE_DIRS_KEPT, false},
        {0x106, true, IDS_REMOVE_DIRS_KEPT, true},   // the folder message, then the question
    };
    for (const Case& c : cases) {
        RunOutcome outcome = RemovalRunOutcome(c.status, c.restart);
        EXPECT_EQ(c.message, outcome.message) << c.status;
        EXPECT_EQ(c.ask, outcome.askRestart) << c.status;
    }
}

}  // namespace
