#include <gtest/gtest.h>

#include "sim/ecu_simulator.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::sim::test;

namespace {

// Sends `count` acknowledged commands; returns each plain answer (empty when none came).
QList<QByteArray> run(EcuSimulator& sim, int count) {
    QList<QByteArray> answers;
    for (int i = 0; i < count; ++i) {
        answers.append(ask(sim, bytes({0x2B, 100 + i})));
    }
    return answers;
}

}  // namespace

TEST(SimulatorFaults, DropsEveryNthAnswerButAppliesTheCommand) {
    EcuSimulator sim;
    sim.setFaults({.dropEveryNth = 3});
    const QList<QByteArray> answers = run(sim, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(answers.at(i).isEmpty(), (i + 1) % 3 == 0) << i;
    }
    EXPECT_EQ(sim.answersSent(), 4);
    EXPECT_EQ(byteAt(sim.configImage(), 358), 105);  // the last one was dropped, yet applied
}

TEST(SimulatorFaults, CorruptsTheSumOfEveryNthAnswer) {
    EcuSimulator sim;
    sim.setFaults({.corruptSumEveryNth = 2});
    const QList<QByteArray> answers = run(sim, 4);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(answers.at(i).size(), 5);
        EXPECT_EQ(sumIsGood(answers.at(i)), (i + 1) % 2 != 0) << i;
        EXPECT_EQ(byteAt(answers.at(i), 3), 0x2B);
    }
}

TEST(SimulatorFaults, GivesEveryNthAnswerAWrongEchoWithAGoodSum) {
    EcuSimulator sim;
    sim.setFaults({.wrongEchoEveryNth = 2});
    const QList<QByteArray> answers = run(sim, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(byteAt(answers.at(i), 3) == 0x2B, (i + 1) % 2 != 0) << i;
        EXPECT_TRUE(sumIsGood(answers.at(i)));
    }
}

TEST(SimulatorFaults, SplitsAnswersIntoChunks) {
    EcuSimulator sim;
    sim.setFaults({.chunkSize = 500});
    const QList<QByteArray> deliveries =
        sim.receive(link::buildRequestFrame(bytes({0xF0, 0x66, 0x01, 0x57})), 0);
    ASSERT_EQ(deliveries.size(), 3);
    EXPECT_EQ(deliveries.at(0).size(), 500);
    EXPECT_EQ(deliveries.at(1).size(), 500);
    EXPECT_EQ(deliveries.at(2).size(), 356);
    EXPECT_EQ(link::decodeAnswerBytes(joined(deliveries), 0x66), sim.configImage());
    EXPECT_EQ(sim.answersSent(), 1);
}

TEST(SimulatorFaults, FallsSilentAfterNAnswersCountedFromTheSetting) {
    EcuSimulator sim;
    run(sim, 3);
    sim.setFaults({.silentAfter = 2});
    const QList<QByteArray> answers = run(sim, 4);
    EXPECT_FALSE(answers.at(0).isEmpty());
    EXPECT_FALSE(answers.at(1).isEmpty());
    EXPECT_TRUE(answers.at(2).isEmpty());
    EXPECT_TRUE(answers.at(3).isEmpty());
    EXPECT_EQ(sim.answersSent(), 5);
    sim.setFaults({});
    EXPECT_FALSE(run(sim, 1).at(0).isEmpty());
}

TEST(SimulatorFaults, OptionsGivenAtConstructionApply) {
    SimOptions options;
    options.faults.dropEveryNth = 1;
    EcuSimulator sim(options);
    EXPECT_TRUE(run(sim, 2).at(1).isEmpty());
    EXPECT_EQ(sim.answersSent(), 0);
}
