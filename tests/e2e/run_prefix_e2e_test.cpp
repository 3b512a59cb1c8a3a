// What a user of the run command (tools/run.sh) finds on first start: its
// prefix maps no drive into the host, so the Path page offers the prefix's
// own C: drive alone, and Start Scan cannot reach the host's files.
//
// tools/test.sh runs this in a prefix prepared as the run command prepares
// its own, with --run-command-prefix; the other suites' prefixes keep the host
// drive for their harness, and there it is skipped.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/e2e_steps.h"

namespace velnor::e2e {
namespace {

bool InRunCommandPrefix() {
    for (int i = 1; i < __argc; ++i)
        if (std::strcmp(__argv[i], "--run-command-prefix") == 0) return true;
    return false;
}

TEST(RunCommandPrefix, PathPageOffersDriveCAlone) {
    if (!InRunCommandPrefix()) GTEST_SKIP() << "needs the run command's prefix (--run-command-prefix)";
    Workspace workspace;
    Program program(workspace / "App");
    ASSERT_TRUE(program.Started()) << program.Error();
    ASSERT_TRUE(program.Click(IDC_PAGE_PATH));
    RemoteList locations(program, IDC_LOCATION_LIST);
    std::string rows;
    for (int row = 0; row < locations.Count(); ++row) rows += "\n  " + locations.Cell(row, 1);
    ASSERT_EQ(locations.Count(), 1) << "the Path page lists:" << rows;
    const std::string drive = locations.Cell(0, 1);
    ASSERT_GE(drive.size(), 4u) << drive;
    EXPECT_EQ(drive.substr(drive.size() - 4), "(C:)");
    EXPECT_EQ(ProfileValue(program.ProfilePath(), "PathDrive"), "<C:|1>");
    EXPECT_EQ(ExitProgram(program), "");
}

}  // namespace
}  // namespace velnor::e2e
