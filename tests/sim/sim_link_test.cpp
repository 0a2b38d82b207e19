// The program's link against the simulated controller, on stepped time: identification of each
// firmware, polling, a settings command reaching the image, and the link riding out faults.

#include <gtest/gtest.h>

#include "link_fixture.h"
#include "sim/ecu_simulator.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::test;

namespace {

struct SimRig {
    LinkRig rig;
    EcuSimulator sim;
    explicit SimRig(SimOptions options = {}) : sim(std::move(options)) { rig.port.connectTo(sim); }
    bool connect() {
        rig.link.setToggle(true);
        return rig.clock.runUntil(
            [this] {
                return rig.link.isConnected() && rig.host.liveFrames.size() >= 2 &&
                       rig.host.liveFrames.last().size() > 5;
            },
            10000);
    }
};

}  // namespace

TEST(SimulatorWithLink, EachKnownFirmwareIsIdentifiedAndPolled) {
    struct Case {
        const char* firmware;
        const char* variant;
    };
    for (const Case& c :
         {Case{"3.7.7", "ver_1"}, Case{"5.9.11", "ver_2"}, Case{"5.10.11", "ver_3"}}) {
        SimRig s(sim::test::firmware(c.firmware));
        ASSERT_TRUE(s.connect()) << c.firmware;
        EXPECT_EQ(s.rig.link.firmwareVariant(), c.variant);
        ASSERT_FALSE(s.rig.host.configurations.isEmpty());
        EXPECT_EQ(s.rig.host.configurations.first(), s.sim.configImage());
        const QByteArray live = s.rig.host.liveFrames.last();
        EXPECT_EQ(byteAt(live, 4), s.rig.link.liveCheckByte());
        EXPECT_GT(s.sim.pollsReceived(), 0);
        EXPECT_TRUE(s.rig.host.messages.isEmpty());
    }
}

TEST(SimulatorWithLink, AnUnknownFirmwareIsRefused) {
    SimRig s(sim::test::firmware("4.1.2"));
    s.rig.link.setToggle(true);
    s.rig.clock.advance(3000);
    EXPECT_TRUE(s.rig.link.firmwareVariant().isEmpty());
    EXPECT_FALSE(s.rig.link.isConnected());
    EXPECT_EQ(s.sim.answersSent(), 1);
}

TEST(SimulatorWithLink, ASettingsCommandIsAcknowledgedAndReadBack) {
    SimRig s;
    ASSERT_TRUE(s.connect());
    s.rig.link.setRetryCount(5);
    s.rig.link.send_com(bytes({0x2B, 125}));
    ASSERT_TRUE(s.rig.clock.runUntil(
        [&] { return s.rig.link.slot(link::Link::kTxCurrent).isEmpty(); }, 5000));
    EXPECT_EQ(byteAt(s.sim.configImage(), 358), 125);

    const qsizetype shown = s.rig.host.configurations.size();
    s.rig.link.setRetryCount(5);
    s.rig.link.send_com(bytes({0x66, 0x00}));
    ASSERT_TRUE(
        s.rig.clock.runUntil([&] { return s.rig.host.configurations.size() > shown; }, 5000));
    EXPECT_EQ(byteAt(s.rig.host.configurations.last(), 358), 125);
    EXPECT_TRUE(s.rig.host.messages.isEmpty());
}

TEST(SimulatorWithLink, ChunkedAnswersAndOccasionalDropsAreRiddenOut) {
    SimOptions options;
    options.faults.chunkSize = 7;
    options.faults.dropEveryNth = 10;
    SimRig s(options);
    ASSERT_TRUE(s.connect());
    const qsizetype frames = s.rig.host.liveFrames.size();
    s.rig.clock.advance(20000);
    EXPECT_TRUE(s.rig.link.isConnected());
    EXPECT_GT(s.rig.host.liveFrames.size(), frames + 10);
    EXPECT_TRUE(s.rig.host.messages.isEmpty());
}

TEST(SimulatorWithLink, ACorruptAnswerEndsTheConnection) {
    SimRig s;
    ASSERT_TRUE(s.connect());
    s.sim.setFaults({.corruptSumEveryNth = 1});
    s.rig.clock.advance(2000);
    EXPECT_FALSE(s.rig.link.isConnected());
    EXPECT_EQ(s.rig.host.messages, QStringList{QStringLiteral("CRC ERROR")});
}
