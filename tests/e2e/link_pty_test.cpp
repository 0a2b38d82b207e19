// The link with its real parts (QSerialPort at 7200 baud, Qt timers, blocking pauses) against the
// simulated controller process over a pseudo-terminal.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include "link/bytes.h"
#include "link/link_state_machine.h"
#include "link/qt_io.h"
#include "model/live_data.h"
#include "recording_host.h"
#include "sim_process.h"

using namespace omvi;
using namespace omvi::test;

namespace {

struct RealLink : ::testing::Test {
    SimulatorProcess simulator;
    link::QtSerialPort port;
    link::QtTimer pollTimer;
    link::QtTimer answerTimer;
    link::QtPause pause;
    RecordingHost host;
    link::Link link{port, pollTimer, answerTimer, pause, host};

    bool waitFor(const std::function<bool()>& done, int ms) {
        QDeadlineTimer deadline(ms);
        QTimer wake;  // lets the event loop wait for events instead of spinning
        wake.start(20);
        while (!done()) {
            if (deadline.hasExpired()) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    bool connectTo(const QString& path) {
        port.setPortName(path);
        link.setToggle(true);
        return waitFor([this] { return link.isConnected() && host.liveFrames.size() >= 3; }, 15000);
    }
    void TearDown() override {
        link.setToggle(false);
        simulator.stop();
    }
};

}  // namespace

TEST_F(RealLink, IdentifiesPollsAndCarriesACommandThroughTheController) {
    const QString path = simulator.start({QStringLiteral("--firmware"), QStringLiteral("5.9.11")});
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(connectTo(path)) << host.messages.join('|').toStdString();
    EXPECT_EQ(link.firmwareVariant(), "ver_2");
    EXPECT_EQ(host.statusText, "OMVI ver. 5.09.11");
    EXPECT_EQ(port.baudRate(), 7200);
    const model::LiveData live = model::decodeLiveFrame(host.liveFrames.last());
    EXPECT_TRUE(model::acceptable(host.liveFrames.last(), link.liveCheckByte()));
    EXPECT_GT(live.rpm, 500);

    link.setRetryCount(5);
    link.send_com(bytes({0x41, 65, 50}));
    ASSERT_TRUE(waitFor([this] { return link.slot(link::Link::kTxCurrent).isEmpty(); }, 5000));
    link.setRetryCount(5);
    link.send_com(bytes({'f', 0}));
    const qsizetype shown = host.configurations.size();
    ASSERT_TRUE(waitFor([&] { return host.configurations.size() > shown; }, 5000));
    EXPECT_EQ(byteAt(host.configurations.last(), 346), 65);
    EXPECT_EQ(byteAt(host.configurations.last(), 1021), 50);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(RealLink, KeepsPollingThroughChunkedAndDroppedAnswers) {
    const QString path = simulator.start({QStringLiteral("--chunk"), QStringLiteral("7"),
                                          QStringLiteral("--drop-every"), QStringLiteral("9")});
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(connectTo(path));
    const qsizetype before = host.liveFrames.size();
    // A dropped answer costs a 3-second time-out and a retry; polling goes on.
    EXPECT_TRUE(waitFor([&] { return host.liveFrames.size() > before + 12; }, 20000));
    EXPECT_TRUE(link.isConnected());
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(RealLink, CorruptAnswerEndsInADisconnectWithItsMessage) {
    const QString path = simulator.start({QStringLiteral("--corrupt-every"), QStringLiteral("6")});
    ASSERT_FALSE(path.isEmpty());
    port.setPortName(path);
    link.setToggle(true);
    ASSERT_TRUE(waitFor([&] { return !host.messages.isEmpty(); }, 15000));
    EXPECT_EQ(host.messages.first(), "CRC ERROR");
    EXPECT_FALSE(link.isPortOpen());
}

TEST_F(RealLink, ControllerGoneWhileConnectedEndsInADisconnectWithAMessage) {
    const QString path = simulator.start();
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(connectTo(path));
    simulator.kill();
    ASSERT_TRUE(waitFor([&] { return !host.messages.isEmpty(); }, 20000));
    EXPECT_EQ(host.messages.first(), "-No LPG Controller-");
    EXPECT_FALSE(link.isPortOpen());
    EXPECT_TRUE(link.linkState().isEmpty());
}

TEST_F(RealLink, MissingPortSaysNoController) {
    port.setPortName(QStringLiteral("/dev/omvi-no-such-port"));
    link.setToggle(true);
    EXPECT_EQ(host.messages, QStringList{"No LPG Controller"});
    EXPECT_FALSE(link.toggleOn());
}
