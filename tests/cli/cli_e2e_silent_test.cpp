// omvi-cli against a controller that never answers: the link's five connect attempts, 3 s each,
// end with its hyphen-framed message and exit code 1.

#include <gtest/gtest.h>

#include "cli_process.h"
#include "cli_test_print.h"

using namespace omvi::cli::test;

TEST(CliProcess, ASilentPortFailsWithTheLinksMessage) {
    SimulatedController sim({QStringLiteral("--silent-after"), QStringLiteral("0")});
    ASSERT_TRUE(sim.running());
    const CliRun run =
        runCli({QStringLiteral("info"), QStringLiteral("--port"), sim.port()}, sim.runtimeDir());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("-No LPG Controller-"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}
