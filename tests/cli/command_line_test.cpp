// The command line of omvi-cli: what each command accepts, what is a usage error (exit 2), and
// that a setting is checked before any port is touched (exit 1).

#include <gtest/gtest.h>

#include "cli_test_print.h"

#include "cli/command_line.h"
#include "model/control_catalogue.h"

using namespace omvi::cli;

namespace {

CommandLineResult parse(const QStringList& args) {
    return parseCommandLine(QStringList{QStringLiteral("omvi-cli")} + args);
}

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

TEST(CliCommandLine, HelpAndVersionExitZeroWithText) {
    for (const char* args : {"--help", "-h", "help"}) {
        const auto r = parse(words(args));
        EXPECT_EQ(r.exitCode, kExitOk) << args;
        EXPECT_FALSE(r.job);
        for (const char* command : {"ports", "detect", "info", "watch", "config", "set"}) {
            EXPECT_TRUE(r.message.contains(QLatin1String(command))) << command;
        }
    }
    const auto version = parse(words("--version"));
    EXPECT_EQ(version.exitCode, kExitOk);
    EXPECT_TRUE(version.message.startsWith(QStringLiteral("omvi-cli ")));

    const auto watchHelp = parse(words("watch --help"));
    EXPECT_EQ(watchHelp.exitCode, kExitOk);
    EXPECT_TRUE(watchHelp.message.startsWith(QStringLiteral("Usage: omvi-cli watch")));
    EXPECT_TRUE(watchHelp.message.contains(QStringLiteral("--count")));
    // `help set` is `set --help`, which lists every control that can be changed.
    const auto setHelp = parse(words("help set"));
    EXPECT_EQ(setHelp.exitCode, kExitOk);
    EXPECT_TRUE(setHelp.message.contains(QStringLiteral("RPM_Max_To_Petrol")));
    EXPECT_TRUE(setHelp.message.contains(QStringLiteral("Sel_Typ_wtrysku")));
}

TEST(CliCommandLine, UsageErrorsExitTwoAndNameTheProblem) {
    struct Case {
        const char* args;
        const char* says;
    };
    for (const Case& c : {
             Case{"", "no command"},
             Case{"frobnicate", "unknown command"},
             Case{"--port ttyS0 info", "must come first"},
             Case{"info", "--port is required"},
             Case{"info --port", "port"},
             Case{"info -p ttyS0 extra", "unexpected argument \"extra\""},
             Case{"info -p ttyS0 --bogus", "bogus"},
             Case{"info -p ttyS0 --timeout 0", "--timeout"},
             Case{"info -p ttyS0 --timeout -3", "\"-3\""},
             Case{"info -p ttyS0 --timeout soon", "--timeout"},
             Case{"watch -p ttyS0 --count 0", "--count"},
             Case{"watch -p ttyS0 --count 2.5", "--count"},
             Case{"watch -p ttyS0 --format xml", "csv or json"},
             Case{"config -p ttyS0 --format csv", "text or json"},
             Case{"ports --port ttyS0", "port"},
             Case{"set -p ttyS0", "control and its value are missing"},
             Case{"set -p ttyS0 RPM_Max_To_Petrol", "value is missing"},
         }) {
        const auto r = parse(words(c.args));
        EXPECT_EQ(r.exitCode, kExitUsage) << c.args;
        EXPECT_FALSE(r.job) << c.args;
        EXPECT_TRUE(r.message.contains(QLatin1String(c.says)))
            << c.args << " -> " << r.message.toStdString();
    }
}

TEST(CliCommandLine, OptionsAreReadWithTheirDefaults) {
    const auto info = parse(words("info --port /dev/pts/3"));
    ASSERT_TRUE(info.job);
    EXPECT_EQ(info.job->task, Task::Info);
    EXPECT_EQ(info.job->port, QStringLiteral("/dev/pts/3"));
    EXPECT_EQ(info.job->timeoutMs, kDefaultTimeoutS * 1000);

    const auto detect = parse(words("detect"));
    ASSERT_TRUE(detect.job);
    EXPECT_EQ(detect.job->timeoutMs, kDefaultDetectTimeoutS * 1000);
    EXPECT_TRUE(detect.job->port.isEmpty());

    const auto watch = parse(words("watch -p omvi-sim -n 5 --format JSON -t 2.5"));
    ASSERT_TRUE(watch.job);
    EXPECT_EQ(watch.job->count, 5);
    EXPECT_EQ(watch.job->liveFormat, LiveFormat::Json);
    EXPECT_EQ(watch.job->timeoutMs, 2500);
    const auto untilStopped = parse(words("watch -p omvi-sim"));
    ASSERT_TRUE(untilStopped.job);
    EXPECT_EQ(untilStopped.job->count, 0);
    EXPECT_EQ(untilStopped.job->liveFormat, LiveFormat::Csv);

    const auto config = parse(words("config -p ttyUSB0 -f json"));
    ASSERT_TRUE(config.job);
    EXPECT_EQ(config.job->configFormat, ConfigFormat::Json);
}

TEST(CliCommandLine, NegativeValuesAreValuesNotOptionsWhereverTheyStand) {
    const auto sets = parse(words("set -p ttyS0 Kor_1..kor_6 -3,0,5,20,-20,1"));
    ASSERT_TRUE(sets.job) << sets.message.toStdString();
    EXPECT_EQ(sets.job->control, QStringLiteral("Kor_1..kor_6"));
    EXPECT_EQ(sets.job->value, QStringLiteral("-3,0,5,20,-20,1"));

    // Blank-separated words keep their order, options may follow.
    const auto spread = parse(words("set Kor_1..kor_6 -3 0 5 20 -20 1 --port ttyS0"));
    ASSERT_TRUE(spread.job) << spread.message.toStdString();
    EXPECT_EQ(spread.job->value, QStringLiteral("-3 0 5 20 -20 1"));
    EXPECT_EQ(spread.job->port, QStringLiteral("ttyS0"));

    const auto spaced = parse(words("set -p ttyS0 Sel_Typ_wtrysku Valtek / RAIL 1 Ohm"));
    ASSERT_TRUE(spaced.job) << spaced.message.toStdString();
    EXPECT_EQ(spaced.job->value, QStringLiteral("Valtek / RAIL 1 Ohm"));
}

TEST(CliCommandLine, ABadSettingFailsBeforeAnyPortIsTouched) {
    struct Case {
        const char* args;
        const char* says;
    };
    for (const Case& c : {
             Case{"set -p ttyS0 No_Such_Control 5", "Unknown control \"No_Such_Control\""},
             Case{"set -p ttyS0 RPM_Max_To_Petrol 12100", "out of range"},
             Case{"set -p ttyS0 Min_Temp_Petrol_changer -26", "out of range"},
             Case{"set -p ttyS0 Sel_Typ_wtrysku Bosch", "is not one of"},
             Case{"set -p ttyS0 Kor_1..kor_6 1,2,3", "expected six values"},
             Case{"set -p ttyS0 P1_MAP_changer 0", "cannot be changed"},
         }) {
        const auto r = parse(words(c.args));
        EXPECT_EQ(r.exitCode, kExitFailure) << c.args;
        EXPECT_FALSE(r.job) << c.args;
        EXPECT_TRUE(r.message.contains(QLatin1String(c.says)))
            << c.args << " -> " << r.message.toStdString();
    }
    EXPECT_TRUE(
        checkSetting(QStringLiteral("rpm_max_to_petrol"), QStringLiteral("6550")).isEmpty());
    // The loosest firmware limit applies until the controller is known.
    EXPECT_TRUE(checkSetting(QStringLiteral("T_przel_to_LPG"), QStringLiteral("300")).isEmpty());
}
