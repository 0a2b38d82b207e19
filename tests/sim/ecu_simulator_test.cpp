#include "sim/ecu_simulator.h"

#include <gtest/gtest.h>

#include "sim/config_images.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::sim::test;

TEST(SimulatorAnswers, AcknowledgementHasTheExactWireBytes) {
    EcuSimulator sim;
    const QList<QByteArray> answers = sim.receive(requestWire(bytes({0x2B, 125})), 0);
    ASSERT_EQ(answers.size(), 1);
    // 0xF0, 0x00, 0x05, 0x2B, 0x20 through the answer transform with code 0x2B.
    EXPECT_EQ(answers.at(0), bytes({0xED, 0x9B, 0x0E, 0x41, 0x87}));
}

TEST(SimulatorAnswers, PollAnswersTheLiveFrame) {
    EcuSimulator sim;
    EcuSimulator twin;
    const QByteArray wire =
        joined(sim.receive(link::buildRequestFrame(bytes({0xF0, 0x99, 0x01, 0x8A})), 5000));
    // Header 0xF0, 0x00, 74, 0x99 on the wire for the poll's code.
    EXPECT_EQ(wire.left(4), bytes({0xAD, 0x87, 0xFC, 0x9B}));
    const QByteArray plain = link::decodeAnswerBytes(wire, 0x99);
    ASSERT_GE(plain.size(), 73);
    EXPECT_EQ(wordBe(plain, 1), plain.size());
    EXPECT_EQ(byteAt(plain, 3), 0x99);
    EXPECT_EQ(byteAt(plain, 4), byteAt(sim.configImage(), 301));
    EXPECT_TRUE(sumIsGood(plain));
    EXPECT_EQ(plain, twin.liveFrame(5000));
    EXPECT_EQ(sim.pollsReceived(), 1);
    EXPECT_TRUE(sim.receivedCommands().isEmpty());
}

TEST(SimulatorAnswers, ConfigurationRequestsAnswerTheWholeImageWithTheirEcho) {
    EcuSimulator sim;
    const QByteArray image = sim.configImage();
    const QByteArray identification = link::decodeAnswerBytes(
        joined(sim.receive(link::buildRequestFrame(bytes({0xF0, 0x66, 0x01, 0x57})), 0)), 0x66);
    EXPECT_EQ(identification, image);
    for (int code : {0x05, 0x26}) {
        const QByteArray answer = ask(sim, bytes({code, 0x00}));
        ASSERT_EQ(answer.size(), image::kFrameLength) << code;
        EXPECT_EQ(byteAt(answer, 3), code);
        EXPECT_EQ(answer.mid(4, answer.size() - 5), image.mid(4, image.size() - 5));
        EXPECT_TRUE(sumIsGood(answer));
    }
}

TEST(SimulatorAnswers, CountersRequestsAnswerTheRecord) {
    EcuSimulator sim;
    for (int code : {0x3C, 0x3B}) {
        QByteArray command = bytes({code});
        if (code == 0x3B) {
            command += sim.countersRecord();
        } else {
            command += bytes({0x00});
        }
        const QByteArray answer = ask(sim, command);
        ASSERT_EQ(answer.size(), 70) << code;
        EXPECT_EQ(byteAt(answer, 3), code);
        EXPECT_EQ(answer.mid(4, 65), sim.countersRecord());
        EXPECT_TRUE(sumIsGood(answer));
    }
}

TEST(SimulatorAnswers, EveryOtherCommandIsEchoedWithoutData) {
    EcuSimulator sim;
    for (int code : {0x02, 0x19, 0x20, 0x25, 0x31, 0x03, 0x77}) {
        const QByteArray answer = ask(sim, bytes({code, 0x01, 0x02}));
        EXPECT_EQ(answer, link::makeAnswer(static_cast<std::uint8_t>(code), {})) << code;
    }
    EXPECT_EQ(sim.receivedCommands().size(), 7);
    EXPECT_EQ(sim.receivedCommands().at(1), bytes({0x19, 0x01, 0x02}));
    EXPECT_EQ(sim.answersSent(), 7);
}

TEST(SimulatorAnswers, SeveralRequestsInOneReadGetOneAnswerEach) {
    EcuSimulator sim;
    const QByteArray stream = requestWire(bytes({0x2B, 1})) + requestWire(bytes({0x1E, 2}));
    const QList<QByteArray> answers = sim.receive(stream, 0);
    ASSERT_EQ(answers.size(), 2);
    EXPECT_EQ(link::decodeAnswerBytes(answers.at(0), 0x2B), link::makeAnswer(0x2B, {}));
    EXPECT_EQ(link::decodeAnswerBytes(answers.at(1), 0x1E), link::makeAnswer(0x1E, {}));
}

TEST(SimulatorAnswers, UnreadableFirmwareTextIsServedAsTheNewest) {
    EcuSimulator sim(firmware("five"));
    EXPECT_EQ(sim.configImage().mid(4, 3), bytes({5, 10, 11}));
}
