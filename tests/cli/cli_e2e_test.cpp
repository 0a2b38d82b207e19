// omvi-cli as a process against omvi-ecu-sim on a real pseudo-terminal: each command end to end,
// the exit codes a script relies on, and a clean stop on a signal.

#include <gtest/gtest.h>
#include <signal.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli_process.h"
#include "cli_test_print.h"

using namespace omvi::cli::test;

namespace {

QStringList args(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString settingOf(const CliRun& run, const QString& name) {
    for (const QString& line : run.outLines()) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() >= 2 && parts.first() == name) {
            return parts.mid(1).join(QLatin1Char(' '));
        }
    }
    return QStringLiteral("<missing>");
}

}  // namespace

TEST(CliProcess, InfoNamesTheFirmwareAndItsVariant) {
    for (const auto& [firmware, variant] :
         {std::pair{"5.10.11", "ver_3"}, std::pair{"3.7.7", "ver_1"}}) {
        SimulatedController sim({QStringLiteral("--firmware"), QLatin1String(firmware)});
        ASSERT_TRUE(sim.running());
        const CliRun run =
            runCli(QStringList{QStringLiteral("info"), QStringLiteral("--port"), sim.port()},
                   sim.runtimeDir());
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Firmware:"))) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QLatin1String(firmware))) << run.out.toStdString();
        const QStringList variantLines = run.outLines().filter(QRegularExpression(
            QStringLiteral("^Variant:\\s+") + QLatin1String(variant) + QLatin1Char('$')));
        EXPECT_EQ(variantLines.size(), 1) << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST(CliProcess, WatchPrintsLiveFramesAsCsvOrJson) {
    SimulatedController sim;
    ASSERT_TRUE(sim.running());
    const CliRun csv =
        runCli(QStringList{QStringLiteral("watch"), QStringLiteral("--port"), sim.port()} +
                   args("--count 5 --format csv"),
               sim.runtimeDir());
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList lines = csv.outLines();
    ASSERT_EQ(lines.size(), 6) << csv.out.toStdString();
    const QStringList header = lines.first().split(QLatin1Char(','));
    const qsizetype rpm = header.indexOf(QStringLiteral("rpm"));
    ASSERT_GT(rpm, 0);
    for (const QString& row : lines.mid(1)) {
        const QStringList cells = row.split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), header.size());
        EXPECT_TRUE(QDateTime::fromString(cells.first(), Qt::ISODateWithMs).isValid());
        // The simulated engine idles at about 800 rpm.
        EXPECT_GT(cells.at(rpm).toInt(), 500) << row.toStdString();
        EXPECT_LT(cells.at(rpm).toInt(), 1200) << row.toStdString();
    }

    const CliRun json =
        runCli(QStringList{QStringLiteral("watch"), QStringLiteral("--port"), sim.port()} +
                   args("--count 3 --format json"),
               sim.runtimeDir());
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    ASSERT_EQ(json.outLines().size(), 3);
    for (const QString& line : json.outLines()) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        EXPECT_TRUE(doc.object().contains(QStringLiteral("rpm")));
        EXPECT_TRUE(doc.object().contains(QStringLiteral("time")));
    }
}

TEST(CliProcess, ASettingIsWrittenAndReadBackFromTheSameController) {
    SimulatedController sim;
    ASSERT_TRUE(sim.running());
    const QStringList port{QStringLiteral("--port"), sim.port()};
    const CliRun before = runCli(QStringList{QStringLiteral("config")} + port, sim.runtimeDir());
    ASSERT_EQ(before.exitCode, 0) << before.err.toStdString();
    EXPECT_EQ(settingOf(before, QStringLiteral("RPM_Max_To_Petrol")), QStringLiteral("6500"));

    const CliRun set =
        runCli(QStringList{QStringLiteral("set")} + port + args("RPM_Max_To_Petrol 6550"),
               sim.runtimeDir());
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();

    const CliRun corrections =
        runCli(QStringList{QStringLiteral("set")} + port + args("Kor_1..kor_6 -3,0,5,20,-20,1"),
               sim.runtimeDir());
    ASSERT_EQ(corrections.exitCode, 0) << corrections.err.toStdString();

    const CliRun after = runCli(QStringList{QStringLiteral("config")} + port, sim.runtimeDir());
    ASSERT_EQ(after.exitCode, 0) << after.err.toStdString();
    EXPECT_EQ(settingOf(after, QStringLiteral("RPM_Max_To_Petrol")), QStringLiteral("6550"));
    EXPECT_EQ(settingOf(after, QStringLiteral("Kor_1..kor_6")), QStringLiteral("-3 0 5 20 -20 1"));
}

TEST(CliProcess, ABadSettingFailsWithoutTouchingThePort) {
    SimulatedController sim({}, /*quiet=*/false);
    ASSERT_TRUE(sim.running());
    const QStringList port{QStringLiteral("--port"), sim.port()};
    const CliRun unknown = runCli(
        QStringList{QStringLiteral("set")} + port + args("No_Such_Thing 1"), sim.runtimeDir());
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Unknown control \"No_Such_Thing\"")));
    const CliRun range =
        runCli(QStringList{QStringLiteral("set")} + port + args("RPM_Max_To_Petrol 99999"),
               sim.runtimeDir());
    EXPECT_EQ(range.exitCode, 1);
    EXPECT_TRUE(range.err.contains(QStringLiteral("out of range"))) << range.err.toStdString();
    EXPECT_TRUE(range.out.isEmpty());
    // The controller heard nothing at all.
    const QString log = sim.stop();
    EXPECT_FALSE(log.contains(QStringLiteral("<- "))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("stopped after 0 answers"))) << log.toStdString();
}

TEST(CliProcess, UsageErrorsExitTwo) {
    QTemporaryDir runtime;
    const CliRun none = runCli({}, runtime.path());
    EXPECT_EQ(none.exitCode, 2);
    const CliRun noPort = runCli(args("watch --count 3"), runtime.path());
    EXPECT_EQ(noPort.exitCode, 2);
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("--port"))) << noPort.err.toStdString();
    const CliRun help = runCli(args("info --help"), runtime.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: omvi-cli info")));
}

TEST(CliProcess, AnUnknownFirmwareIsNamed) {
    SimulatedController sim(args("--firmware 1.2.3"));
    ASSERT_TRUE(sim.running());
    const CliRun run =
        runCli(QStringList{QStringLiteral("info"), QStringLiteral("--port"), sim.port()},
               sim.runtimeDir());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("firmware 1.2.3"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(CliProcess, WatchStopsCleanlyOnSigint) {
    SimulatedController sim;
    ASSERT_TRUE(sim.running());
    QProcess watch;
    watch.setProcessEnvironment(privateEnvironment(sim.runtimeDir()));
    watch.start(binary(QStringLiteral("omvi-cli")),
                {QStringLiteral("watch"), QStringLiteral("--port"), sim.port()});
    ASSERT_TRUE(watch.waitForStarted(5000));
    QByteArray out;
    QDeadlineTimer deadline(20000);
    while (out.count('\n') < 3 && !deadline.hasExpired()) {
        watch.waitForReadyRead(100);
        out += watch.readAllStandardOutput();
    }
    ASSERT_GE(out.count('\n'), 3) << out.toStdString();
    ::kill(static_cast<pid_t>(watch.processId()), SIGINT);
    ASSERT_TRUE(watch.waitForFinished(5000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
    EXPECT_TRUE(watch.readAllStandardError().isEmpty());

    // The port was let go: the controller serves the next run at once.
    const CliRun info =
        runCli(QStringList{QStringLiteral("info"), QStringLiteral("--port"), sim.port()},
               sim.runtimeDir());
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
}
