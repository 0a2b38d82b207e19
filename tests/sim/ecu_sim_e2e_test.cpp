// The omvi-ecu-sim executable on a real pseudo-terminal, opened with QSerialPort as the program
// opens a port.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

#include "link/bytes.h"
#include "link/frame_coding.h"

using namespace omvi;

namespace {

QString simulatorPath() {
    const QString fromEnv = qEnvironmentVariable("OMVI_BIN_DIR");
    if (!fromEnv.isEmpty() && QFileInfo::exists(fromEnv + QStringLiteral("/omvi-ecu-sim"))) {
        return fromEnv + QStringLiteral("/omvi-ecu-sim");
    }
    return QStringLiteral(OMVI_ECU_SIM_PATH);
}

// Reads until `count` bytes came or the deadline passed.
QByteArray readBytes(QSerialPort& port, qsizetype count, int timeoutMs) {
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    while (got.size() < count && !deadline.hasExpired()) {
        if (port.bytesAvailable() > 0 || port.waitForReadyRead(50)) {
            got.append(port.readAll());
        }
    }
    return got;
}

class SimulatorProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
    }
    void TearDown() override {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    // Starts the simulator and returns the terminal path it prints.
    QString start(const QStringList& args) {
        process_.start(simulatorPath(), args);
        if (!process_.waitForStarted(5000)) {
            return {};
        }
        QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && !deadline.hasExpired()) {
            process_.waitForReadyRead(100);
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    QTemporaryDir runtime_;
    QTemporaryDir scratch_;
    QProcess process_;
};

}  // namespace

TEST_F(SimulatorProcess, AnswersTheIdentificationAndStopsCleanlyOnSigterm) {
    const QString link = scratch_.filePath(QStringLiteral("sim-port"));
    const QString published = runtime_.path() + QStringLiteral("/omvi-ports/omvi-sim");
    const QString slave = start({QStringLiteral("--link"), link, QStringLiteral("--quiet")});
    ASSERT_TRUE(slave.startsWith(QStringLiteral("/dev/"))) << qPrintable(slave);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), slave);
    EXPECT_EQ(QFileInfo(published).symLinkTarget(), slave);

    QSerialPort port(link);
    port.setBaudRate(7200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << qPrintable(port.errorString());

    // Nothing is sent unasked, then the identification is answered with the image.
    EXPECT_TRUE(readBytes(port, 1, 300).isEmpty());
    port.write(link::buildRequestFrame(bytes({0xF0, 0x66, 0x01, 0x57})));
    ASSERT_TRUE(port.waitForBytesWritten(2000));
    const QByteArray answer = link::decodeAnswerBytes(readBytes(port, 1356, 5000), 0x66);
    ASSERT_EQ(answer.size(), 1356);
    EXPECT_EQ(byteAt(answer, 0), 0xF0);
    EXPECT_EQ(wordBe(answer, 1), 1356);
    EXPECT_EQ(byteAt(answer, 3), 0x66);
    EXPECT_EQ(answer.mid(4, 3), bytes({5, 10, 11}));
    EXPECT_EQ(byteAt(answer, 1355), additiveSum(answer, 0, 1355));

    // A poll in two writes, as a slow line would deliver it.
    const QByteArray poll = link::buildRequestFrame(bytes({0xF0, 0x99, 0x01, 0x8A}));
    port.write(poll.left(3));
    port.waitForBytesWritten(2000);
    port.write(poll.mid(3));
    const QByteArray live = link::decodeAnswerBytes(readBytes(port, 74, 5000), 0x99);
    ASSERT_EQ(live.size(), 74);
    EXPECT_EQ(byteAt(live, 4), byteAt(answer, 301));
    port.close();

    process_.terminate();  // SIGTERM
    ASSERT_TRUE(process_.waitForFinished(5000));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo(published).isSymLink());
}

TEST_F(SimulatorProcess, ServesTheChosenFirmwareAtWireRateInChunks) {
    const QString slave =
        start({QStringLiteral("--firmware"), QStringLiteral("3.7.7"), QStringLiteral("--wire-rate"),
               QStringLiteral("--chunk"), QStringLiteral("16"), QStringLiteral("--no-publish"),
               QStringLiteral("--quiet")});
    ASSERT_FALSE(slave.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(runtime_.path() + QStringLiteral("/omvi-ports/omvi-sim")));

    QSerialPort port(slave);
    port.setBaudRate(7200);
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << qPrintable(port.errorString());
    port.write(link::buildRequestFrame(bytes({0xF0, 0x66, 0x01, 0x57})));
    const QByteArray answer = link::decodeAnswerBytes(readBytes(port, 1356, 10000), 0x66);
    ASSERT_EQ(answer.size(), 1356);
    EXPECT_EQ(answer.mid(4, 3), bytes({3, 7, 7}));
    port.close();

    process_.terminate();
    ASSERT_TRUE(process_.waitForFinished(5000));
    EXPECT_EQ(process_.exitCode(), 0);
}

TEST_F(SimulatorProcess, RefusesABadFirmwareText) {
    process_.start(simulatorPath(), {QStringLiteral("--firmware"), QStringLiteral("5.x")});
    ASSERT_TRUE(process_.waitForFinished(5000));
    EXPECT_EQ(process_.exitCode(), 2);
    EXPECT_TRUE(process_.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(process_.readAllStandardError().isEmpty());
}
