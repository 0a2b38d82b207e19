#include "sim/sim_command_line.h"

#include <gtest/gtest.h>

using namespace omvi::sim;

namespace {

SimCommandLineResult parse(QStringList args) {
    args.prepend(QStringLiteral("omvi-ecu-sim"));
    return parseSimCommandLine(args);
}

}  // namespace

TEST(SimCommandLine, DefaultsServeTheNewestFirmwareWithoutFaults) {
    const SimCommandLineResult r = parse({});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->sim.firmware, QStringLiteral("5.10.11"));
    EXPECT_EQ(r.options->sim.seed, 1u);
    EXPECT_EQ(r.options->sim.faults.dropEveryNth, 0);
    EXPECT_EQ(r.options->sim.faults.silentAfter, -1);
    EXPECT_TRUE(r.options->publish);
    EXPECT_FALSE(r.options->wireRate);
    EXPECT_TRUE(r.options->linkPath.isEmpty());
}

TEST(SimCommandLine, ReadsEveryOption) {
    const SimCommandLineResult r =
        parse({"--firmware", "3.7.7", "--link", "/tmp/x", "--wire-rate", "--drop-every", "5",
               "--corrupt-every", "6", "--wrong-echo-every", "7", "--chunk", "3", "--silent-after",
               "0", "--seed", "4294967295", "--quiet", "--no-publish"});
    ASSERT_TRUE(r.options) << qPrintable(r.message);
    const SimCommandLine& o = *r.options;
    EXPECT_EQ(o.sim.firmware, QStringLiteral("3.7.7"));
    EXPECT_EQ(o.linkPath, QStringLiteral("/tmp/x"));
    EXPECT_TRUE(o.wireRate);
    EXPECT_EQ(o.sim.faults.dropEveryNth, 5);
    EXPECT_EQ(o.sim.faults.corruptSumEveryNth, 6);
    EXPECT_EQ(o.sim.faults.wrongEchoEveryNth, 7);
    EXPECT_EQ(o.sim.faults.chunkSize, 3);
    EXPECT_EQ(o.sim.faults.silentAfter, 0);
    EXPECT_EQ(o.sim.seed, 4294967295u);
    EXPECT_TRUE(o.quiet);
    EXPECT_FALSE(o.publish);
}

TEST(SimCommandLine, RefusesBadInputWithAReason) {
    const QList<QStringList> bad = {
        {"--firmware", "5.10"},
        {"--drop-every", "0"},
        {"--chunk", "x"},
        {"--silent-after", "-2"},
        {"--seed", "-1"},
        {"--bogus"},
        {"stray"},
        {"--link", ""},
        {"--corrupt-every", "1e3"},
    };
    for (const QStringList& args : bad) {
        const SimCommandLineResult r = parse(args);
        EXPECT_FALSE(r.options) << qPrintable(args.join(' '));
        EXPECT_EQ(r.exitCode, 2) << qPrintable(args.join(' '));
        EXPECT_FALSE(r.message.isEmpty());
    }
}

TEST(SimCommandLine, HelpIsNotAnError) {
    const SimCommandLineResult r = parse({"--help"});
    EXPECT_FALSE(r.options);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.message.contains(QStringLiteral("--wire-rate")));
}
