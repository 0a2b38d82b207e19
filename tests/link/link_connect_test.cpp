// Connecting, identifying the firmware, polling and disconnecting, against a scripted controller.
#include <gtest/gtest.h>

#include "link/wire_constants.h"
#include "link_fixture.h"
#include "scripted_controller.h"

using namespace omvi;
using namespace omvi::test;

namespace {

struct Connected : ::testing::Test {
    LinkRig rig;
    ScriptedController ecu;
    void SetUp() override { ecu.attach(rig.port); }
    bool connect() {
        rig.link.setToggle(true);
        return rig.clock.runUntil(
            [this] {
                return rig.link.isConnected() && !rig.host.liveFrames.isEmpty() &&
                       rig.host.liveFrames.last().size() > 5;
            },
            10000);
    }
};

}  // namespace

TEST_F(Connected, IdentifiesEachFirmwareVariantAndShowsItsVersion) {
    struct Case {
        int major, minor, patch;
        const char* variant;
        const char* status;
    };
    for (const Case& c :
         {Case{3, 7, 7, "ver_1", "OMVI ver. 3.07.07"}, Case{5, 9, 11, "ver_2", "OMVI ver. 5.09.11"},
          Case{5, 10, 11, "ver_3", "OMVI ver. 5.10.11"}}) {
        LinkRig r;
        ScriptedController e;
        e.image = makeImage(c.major, c.minor, c.patch);
        e.attach(r.port);
        r.link.setToggle(true);
        ASSERT_TRUE(r.clock.runUntil([&] { return r.link.isConnected(); }, 5000)) << c.variant;
        EXPECT_EQ(r.link.firmwareVariant(), c.variant);
        EXPECT_EQ(r.host.statusText, c.status);
        ASSERT_FALSE(r.host.configurations.isEmpty());
        EXPECT_EQ(r.host.configurations.first(), e.image);
        EXPECT_EQ(r.link.liveCheckByte(), kIdentity);
        EXPECT_EQ(r.host.variants.last(), c.variant);
        EXPECT_TRUE(r.host.fileMenu);
        EXPECT_TRUE(r.host.reserveFlashing);
        EXPECT_EQ(r.host.toggleOnText, "ttyS0 - ON");
    }
}

TEST_F(Connected, PollsAfterIdentificationAndShowsEachAnswerAtTheNextTick) {
    ASSERT_TRUE(connect());
    const QList<int> codes = rig.sentCodes();
    ASSERT_GE(codes.size(), 2);
    EXPECT_EQ(codes.first(), 0x66);
    EXPECT_EQ(codes.at(1), 0x99);
    EXPECT_EQ(rig.host.liveFrames.last(), ecu.live);
    const int shown = static_cast<int>(rig.host.liveFrames.size());
    rig.clock.advance(1000);
    EXPECT_GT(rig.host.liveFrames.size(), shown + 3);  // one poll per round trip + 130 ms
    EXPECT_EQ(rig.port.openBaudRates.first(), wire::kBaudRate);
}

TEST_F(Connected, UnknownFirmwareDisconnectsWithoutAMessage) {
    ecu.image = makeImage(4, 1, 2);
    rig.link.setToggle(true);
    rig.clock.advance(3000);
    EXPECT_TRUE(rig.link.firmwareVariant().isEmpty());
    EXPECT_FALSE(rig.link.isPortOpen());
    EXPECT_FALSE(rig.link.toggleOn());
    EXPECT_TRUE(rig.host.messages.isEmpty());
    EXPECT_TRUE(rig.host.configurations.isEmpty());
}

TEST_F(Connected, IdentificationAnswerInThreeByteChunksIsAssembled) {
    ecu.chunkSize = 3;
    ASSERT_TRUE(connect());
    EXPECT_EQ(rig.link.firmwareVariant(), "ver_3");
    EXPECT_EQ(rig.host.configurations.first(), ecu.image);
}

TEST_F(Connected, SilentControllerGetsFiveAutomaticAttemptsThenTheHyphenMessage) {
    ecu.silent = true;
    rig.link.setToggle(true);
    rig.clock.advance(30000);
    // The user connect and five automatic attempts each send the identification request.
    EXPECT_EQ(ecu.codes(), QList<int>(6, 0x66));
    ASSERT_EQ(rig.host.messages.size(), 1);
    EXPECT_EQ(rig.host.messages.first(), "-No LPG Controller-");
    EXPECT_TRUE(rig.link.linkState().isEmpty());
    EXPECT_FALSE(rig.link.isPortOpen());
    // The third automatic attempt closes and reopens the port; the last one follows a full
    // disconnect, which closes it again.
    EXPECT_EQ(rig.port.opens, 3);
}

TEST_F(Connected, PortThatCannotBeOpenedReportsNoController) {
    rig.port.presentPorts = {QStringLiteral("ttyUSB0")};
    rig.link.setToggle(true);
    rig.clock.advance(500);
    EXPECT_EQ(rig.host.messages, QStringList{"No LPG Controller"});
    EXPECT_FALSE(rig.link.toggleOn());
    EXPECT_TRUE(rig.link.linkState().isEmpty());
}

TEST_F(Connected, DisconnectClearsEverythingAndResetsTheDashboardWithAZeroFrame) {
    ASSERT_TRUE(connect());
    rig.host.actualErrors = QStringLiteral("1 - Voltage error\r\n");
    const int savesBefore = rig.host.saves;
    rig.link.setToggle(false);
    EXPECT_FALSE(rig.link.isPortOpen());
    EXPECT_TRUE(rig.link.linkState().isEmpty());
    for (int i = link::Link::kTxCurrent; i < link::Link::kSlotCount; ++i) {
        EXPECT_TRUE(rig.link.slot(i).isEmpty()) << i;
    }
    EXPECT_EQ(rig.link.retryCount(), 0);
    EXPECT_EQ(rig.link.lastCommand(), -1);
    const QByteArray reset = rig.host.liveFrames.last();
    ASSERT_EQ(reset.size(), 1560);
    EXPECT_EQ(byteAt(reset, 4), kIdentity);
    EXPECT_EQ(reset.count('\0'), 1559);
    EXPECT_GT(rig.host.saves, savesBefore);
    EXPECT_FALSE(rig.host.fileMenu);
    EXPECT_TRUE(rig.host.windowEnabled);
    EXPECT_FALSE(rig.host.panelsGrey);
    EXPECT_EQ(rig.host.variants.last(), "ver_2");  // the default layout between connections
    // The error list shown before the disconnect survives the zero frame.
    EXPECT_EQ(rig.host.actualErrors, "1 - Voltage error\r\n");
    // Nothing is sent after the disconnect.
    const qsizetype writes = rig.port.writes.size();
    rig.clock.advance(5000);
    EXPECT_EQ(rig.port.writes.size(), writes);
}

TEST_F(Connected, ConnectWhileConnectedReidentifiesOverTheOpenPort) {
    ASSERT_TRUE(connect());
    const int opens = rig.port.opens;
    ecu.requests.clear();
    rig.link.polaczClick();
    EXPECT_EQ(rig.link.linkState(), "w_s_0");
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "count"; }, 5000));
    EXPECT_EQ(rig.port.opens, opens);
    EXPECT_EQ(ecu.codes().first(), 0x66);
    EXPECT_EQ(rig.host.statusText, "OMVI ver. 5.10.11");
}

TEST_F(Connected, CablePulledEndsInADisconnectWithAMessage) {
    ASSERT_TRUE(connect());
    rig.port.pullCable();
    rig.clock.advance(10);
    EXPECT_FALSE(rig.link.toggleOn());
    EXPECT_TRUE(rig.link.linkState().isEmpty());
    EXPECT_EQ(rig.host.messages, QStringList{"-No LPG Controller-"});
    rig.clock.advance(10000);
    EXPECT_EQ(rig.host.messages.size(), 1);
}

TEST_F(Connected, FactoryResetAsksFirstAndShowsTheControllersAnswer) {
    ASSERT_TRUE(connect());
    rig.host.answerYes = false;
    rig.link.Reset1Click();
    EXPECT_EQ(rig.host.questions, QStringList{"Reset Will Restore original controller settings"});
    rig.clock.advance(500);
    EXPECT_FALSE(ecu.codes().contains(0x26));

    rig.host.answerYes = true;
    const qsizetype shown = rig.host.configurations.size();
    rig.link.Reset1Click();
    EXPECT_TRUE(rig.host.panelsGrey);
    EXPECT_FALSE(rig.host.windowEnabled);
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.host.configurations.size() > shown; }, 5000));
    EXPECT_TRUE(ecu.codes().contains(0x26));
    EXPECT_EQ(byteAt(rig.host.configurations.last(), 3), 0x26);
    EXPECT_TRUE(rig.host.windowEnabled);
    EXPECT_FALSE(rig.host.panelsGrey);
}
