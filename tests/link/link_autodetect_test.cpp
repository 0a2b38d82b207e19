// Port auto-detection: probing order, the found criterion and the take-over.
#include <gtest/gtest.h>

#include "link/frame_coding.h"
#include "link_fixture.h"
#include "scripted_controller.h"

using namespace omvi;
using namespace omvi::test;

namespace {

struct AutoDetect : ::testing::Test {
    LinkRig rig;
    ScriptedController ecu;
    QStringList probes() const {
        QStringList names;
        for (qsizetype i = 0; i < rig.port.writePorts.size(); ++i) {
            if (!rig.port.writes.at(i).isEmpty()) {
                names.append(rig.port.writePorts.at(i));
            }
        }
        return names;
    }
    void SetUp() override {
        rig.host.ports = {{"COM1", false}, {"COM3", true}, {"COM4", false}};
        rig.port.presentPorts = {"COM1", "COM3", "COM4"};
        ecu.attach(rig.port);
    }
};

}  // namespace

TEST_F(AutoDetect, ProbesTheCheckedPortFirstThenEveryPortFromTheEnd) {
    rig.port.answeringPorts = {"none"};
    rig.link.COMAUTO1Click();
    rig.clock.advance(20000);
    EXPECT_EQ(probes(), (QStringList{"COM3", "COM4", "COM3", "COM1"}));
    EXPECT_EQ(rig.host.errorLedCaptions,
              (QStringList{"COMx . . .", "COM3 . . .", "COM4 . . .", "COM3 . . .", "COM1 . . ."}));
    EXPECT_EQ(rig.host.messages, QStringList{"No LPG Controller"});
    EXPECT_TRUE(rig.link.linkState().isEmpty());
    EXPECT_FALSE(rig.link.isPortOpen());
}

TEST_F(AutoDetect, ConnectsToThePortThatAnswersAndChecksIt) {
    rig.port.answeringPorts = {"COM4"};
    rig.link.COMAUTO1Click();
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.isConnected(); }, 20000));
    EXPECT_EQ(rig.link.portName(), "COM4");
    EXPECT_EQ(rig.host.checkedPort, "COM4");
    EXPECT_GE(rig.host.saves, 1);  // stored by the disconnect before the connect
    EXPECT_TRUE(rig.host.messages.isEmpty());
    for (int rate : rig.port.openBaudRates) {
        EXPECT_EQ(rate, 7200);
    }
}

TEST_F(AutoDetect, ALengthOf256OrMoreDoesNotCountAsFound) {
    ecu.script = [](const QByteArray&) -> std::optional<QByteArray> {
        return bytes({0xF0, 0x01, 0x00, 0x99, 0x00});
    };
    rig.link.COMAUTO1Click();
    rig.clock.advance(20000);
    EXPECT_EQ(probes().size(), 4);
    EXPECT_EQ(rig.host.messages, QStringList{"No LPG Controller"});
}

TEST_F(AutoDetect, PortsThatCannotBeOpenedAreSkipped) {
    rig.port.presentPorts = {"COM1"};
    rig.port.answeringPorts = {"none"};
    rig.link.COMAUTO1Click();
    rig.clock.advance(4000);
    EXPECT_EQ(probes(), QStringList{"COM1"});
    rig.clock.advance(4000);
    EXPECT_EQ(rig.host.messages, QStringList{"No LPG Controller"});
}

TEST_F(AutoDetect, DoesNothingWhileConnected) {
    rig.port.setPortName("COM3");
    rig.link.setToggle(true);
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.isConnected(); }, 5000));
    rig.link.COMAUTO1Click();
    EXPECT_FALSE(rig.link.linkState().contains("COM_AUTO"));
}
