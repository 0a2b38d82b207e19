// Reception: assembling answers, the echo rule, both sums and every failure reaction.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "link/frame_coding.h"
#include "link_fixture.h"
#include "scripted_controller.h"

using namespace omvi;
using namespace omvi::test;
using omvi::link::Link;

namespace {

struct Reception : ::testing::Test {
    LinkRig rig;
    ScriptedController ecu;
    void SetUp() override {
        ecu.attach(rig.port);
        rig.link.setToggle(true);
        ASSERT_TRUE(rig.clock.runUntil(
            [this] { return rig.link.isConnected() && rig.host.liveFrames.size() >= 2; }, 10000));
        // Stop at a moment when a poll is in flight and unanswered.
        ASSERT_TRUE(rig.clock.runUntil([this] { return rig.link.linkState() == "count"; }, 2000));
        ecu.silent = true;
        ASSERT_TRUE(
            rig.clock.runUntil([this] { return rig.link.linkState() == "read_count"; }, 2000));
    }
    // Delivers plain bytes as the controller would send them now.
    void deliver(const QByteArray& plain, std::int64_t delay = 0) {
        rig.port.inject(link::encodeAnswerBytes(plain, rig.link.lastTxCode()), delay);
        rig.clock.advance(delay + 1);
    }
};

}  // namespace

TEST_F(Reception, AnswerInPiecesIsAcceptedOnceComplete) {
    const QByteArray frame = makeLiveFrame(25);
    deliver(frame.left(4));  // fewer than 5 bytes: waits for more
    EXPECT_EQ(rig.link.linkState(), "read_count_1");
    deliver(frame.mid(4, 30));
    EXPECT_EQ(rig.link.linkState(), "read_count_1");
    deliver(frame.mid(34));
    EXPECT_EQ(rig.link.linkState(), "count");
    EXPECT_EQ(rig.link.slot(Link::kRxPayload), frame);
    EXPECT_EQ(rig.link.waitRetries(), 3);
    rig.clock.advance(130);
    EXPECT_EQ(rig.host.liveFrames.last(), frame);
}

TEST_F(Reception, WrongSumDisconnectsWithCrcError) {
    QByteArray frame = makeLiveFrame();
    frame[frame.size() - 1] = static_cast<char>(frame.back() + 1);
    deliver(frame);
    EXPECT_EQ(rig.host.messages, QStringList{"CRC ERROR"});
    EXPECT_FALSE(rig.link.isPortOpen());
    EXPECT_TRUE(rig.link.linkState().isEmpty());
}

TEST_F(Reception, MissingLeadByteDisconnectsWithInitError) {
    QByteArray frame = makeLiveFrame();
    frame[0] = 0x00;
    deliver(frame);
    EXPECT_EQ(rig.host.messages, QStringList{"Init Error"});
    EXPECT_FALSE(rig.link.toggleOn());
}

TEST_F(Reception, LongerThanItsLengthFieldIsACrcError) {
    deliver(makeLiveFrame() + QByteArray(3, '\x01'));
    EXPECT_EQ(rig.host.messages, QStringList{"-CRC ERROR-"});
}

TEST_F(Reception, PollAnswerWhileACommandIsInFlightIsACrcError) {
    ecu.silent = false;  // the poll in flight stays unanswered: its time-out polls again
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "count"; }, 5000));
    ecu.silent = true;
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x2B, 100}));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "read_count"; }, 1000));
    deliver(makeLiveFrame());  // echo 0x99, but 0x2B is in flight
    EXPECT_EQ(rig.host.messages, QStringList{"-CRC ERROR-"});
}

TEST_F(Reception, BytesArrivingWhileNothingIsAwaitedAreDropped) {
    deliver(makeLiveFrame());
    ASSERT_EQ(rig.link.linkState(), "count");
    const QByteArray accepted = rig.link.slot(Link::kRxPayload);
    rig.port.inject(bytes({1, 2, 3}));
    rig.clock.advance(0);
    EXPECT_EQ(rig.link.slot(Link::kRxPayload), accepted);
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(Reception, ReadErrorIsReportedAndProcessingContinues) {
    rig.port.failRead = true;
    deliver(makeLiveFrame());
    EXPECT_EQ(rig.host.messages, QStringList{"Read error..."});
    EXPECT_EQ(rig.link.linkState(), "count");
}

TEST_F(Reception, UnansweredPollIsRetriedThreeTimesThenDisconnects) {
    rig.clock.advance(3000);
    EXPECT_EQ(rig.link.waitRetries(), 2);
    rig.clock.advance(3200 * 3);
    EXPECT_EQ(rig.host.messages, QStringList{"-No LPG Controller-"});
    int polls = 0;
    for (int c : ecu.codes()) {
        polls += c == 0x99 ? 1 : 0;
    }
    EXPECT_GE(polls, 4);
    EXPECT_FALSE(rig.link.isPortOpen());
}

TEST_F(Reception, UnansweredCommandIsResentBeforeGivingUp) {
    ecu.silent = false;  // the poll in flight stays unanswered: its time-out polls again
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "count"; }, 5000));
    ecu.silent = true;
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x2B, 100}));
    rig.clock.advance(20000);
    EXPECT_EQ(ecu.codes().count(0x2B), 4);  // first send and three resends
    EXPECT_EQ(rig.host.messages, QStringList{"-No LPG Controller-"});
}

TEST_F(Reception, PartlyReceivedCommandAnswerGetsMoreTime) {
    ecu.silent = false;  // the poll in flight stays unanswered: its time-out polls again
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "count"; }, 5000));
    ecu.silent = true;
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x2B, 100}));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "read_count"; }, 1000));
    const QByteArray ack = link::makeAnswer(0x2B, {});
    deliver(ack.left(2));
    EXPECT_EQ(rig.link.linkState(), "read_count_1");
    rig.clock.advance(3000 * 2);  // two time-outs: each waits again without resending
    EXPECT_EQ(ecu.codes().count(0x2B), 1);
    deliver(ack.mid(2));
    EXPECT_EQ(rig.link.linkState(), "count");
    EXPECT_TRUE(rig.link.slot(Link::kTxCurrent).isEmpty());
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

// Whatever arrives, in whatever pieces, the link ends in a defined state: an accepted answer, a
// wait for more bytes, or a disconnect with a message.
TEST(ReceptionFuzz, AnyBytesInAnyChunkingLeaveADefinedState) {
    QRandomGenerator rng(20261209);
    const QStringList defined = {"",      "count",     "read_count", "read_count_1",
                                 "w_s_0", "w_s_count", "T_C_start"};
    for (int round = 0; round < 300; ++round) {
        LinkRig rig;
        ScriptedController ecu;
        ecu.attach(rig.port);
        rig.link.setToggle(true);
        ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.isConnected(); }, 5000));
        QByteArray noise;
        const int length = static_cast<int>(rng.bounded(1, 400));
        const bool realish = rng.bounded(3) == 0;
        if (realish) {
            noise = makeLiveFrame();
            noise[static_cast<qsizetype>(rng.bounded(noise.size()))] =
                static_cast<char>(rng.bounded(256));
        } else {
            for (int i = 0; i < length; ++i) {
                noise.append(static_cast<char>(rng.bounded(256)));
            }
        }
        qsizetype pos = 0;
        while (pos < noise.size()) {
            const qsizetype n = static_cast<qsizetype>(rng.bounded(1, 20));
            rig.port.inject(noise.mid(pos, n), static_cast<std::int64_t>(rng.bounded(5)));
            pos += n;
        }
        rig.clock.advance(20000);
        EXPECT_TRUE(defined.contains(rig.link.linkState())) << rig.link.linkState().toStdString();
        if (rig.link.linkState().isEmpty()) {
            EXPECT_FALSE(rig.link.isPortOpen());
        }
    }
}
