// The command queue: placing, queueing, deferring, the retry budget and the ';' rewrite.
#include <gtest/gtest.h>

#include "link_fixture.h"
#include "scripted_controller.h"

using namespace omvi;
using namespace omvi::test;
using omvi::link::Commands;
using omvi::link::Link;

namespace {

struct Queue : ::testing::Test {
    LinkRig rig;
    ScriptedController ecu;
    void SetUp() override {
        ecu.attach(rig.port);
        rig.link.setToggle(true);
        ASSERT_TRUE(rig.clock.runUntil(
            [this] { return rig.link.isConnected() && rig.host.liveFrames.size() >= 2; }, 10000));
    }
    // Runs until the scripted controller has seen `code`.
    bool waitFor(int code, int limitMs = 3000) {
        return rig.clock.runUntil([&] { return ecu.codes().contains(code); }, limitMs);
    }
};

}  // namespace

TEST_F(Queue, AmpersandCommandBuildsItsPayloadAndLastCommand) {
    rig.link.setRetryCount(5);
    rig.link.send_com(QByteArray("&"));
    EXPECT_EQ(rig.link.slot(Link::kTxCurrent), bytes({0xF0, 0x26, 0x16}));
    EXPECT_EQ(rig.link.lastCommand(), 0x26);
    EXPECT_EQ(rig.link.linkState(), "count");
    EXPECT_EQ(rig.link.retryCount(), 4);
}

TEST_F(Queue, CommandGoesOutAtTheNextTickInsteadOfThePollWithoutALiveUpdate) {
    // Let the poll in flight be answered, so that the command waits for the next tick.
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.link.linkState() == "count"; }, 1000));
    const qsizetype shown = rig.host.liveFrames.size();
    const qsizetype before = ecu.requests.size();
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x41, 65, 50}));
    ASSERT_TRUE(waitFor(0x41));
    EXPECT_EQ(ecu.requests.size(), before + 1);  // no poll went out before it
    EXPECT_EQ(ecu.requests.last(), bytes({0xF0, 0x41, 65, 50, (0xF0 + 0x41 + 65 + 50) & 0xFF}));
    EXPECT_EQ(rig.host.liveFrames.size(), shown);  // that tick showed nothing
    ASSERT_TRUE(rig.clock.runUntil([&] { return ecu.codes().last() == 0x99; }, 1000));
    EXPECT_TRUE(rig.link.slot(Link::kTxCurrent).isEmpty());
    EXPECT_EQ(rig.link.retryCount(), 0);  // acknowledged
}

TEST_F(Queue, FollowUpsGoOneAfterAnotherInOrder) {
    rig.link.setRetryCount(10);
    rig.link.send_com(Commands{bytes({0x0E, 0}), bytes({0x24, 0}), bytes({0x30, 0}),
                               bytes({0x38, 255}), bytes({0x44, 1})});
    ASSERT_TRUE(waitFor(0x44, 5000));
    QList<int> commands;
    for (int c : ecu.codes()) {
        if (c != 0x99 && c != 0x66) {
            commands.append(c);
        }
    }
    EXPECT_EQ(commands, (QList<int>{0x0E, 0x24, 0x30, 0x38, 0x44}));
    EXPECT_EQ(ecu.requests.last(), bytes({0xF0, 0x44, 1, (0xF0 + 0x44 + 1) & 0xFF}));
}

TEST_F(Queue, ACallWhileBusyIsDeferredAndOnlyTheLastOneIsReplayed) {
    ecu.script = [this](const QByteArray& p) -> std::optional<QByteArray> {
        if (byteAt(p, 1) == 0x0A) {
            return std::nullopt;  // hold the first command in flight for a while
        }
        return ecu.fallback(p);
    };
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x0A, 1}));
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x2B, 100}));
    EXPECT_EQ(rig.link.retryCount(), 5);  // the deferral leaves the budget alone
    rig.link.send_com(bytes({0x2B, 125}));
    EXPECT_EQ(rig.link.slot(Link::kTxDeferred), bytes({0x2B, 125}));
    ecu.script = nullptr;  // the controller answers the resend
    ASSERT_TRUE(waitFor(0x2B, 10000));
    int sent2B = 0;
    for (const QByteArray& r : ecu.requests) {
        if (byteAt(r, 1) == 0x2B) {
            ++sent2B;
            EXPECT_EQ(byteAt(r, 2), 125);
        }
    }
    EXPECT_EQ(sent2B, 1);
    EXPECT_TRUE(rig.link.slot(Link::kTxDeferred).isEmpty());
}

TEST_F(Queue, ExhaustedBudgetDisconnectsAndReportsTimeOut) {
    rig.link.setRetryCount(1);
    rig.link.send_com(bytes({0x2B, 100}));
    EXPECT_EQ(rig.host.messages, QStringList{"Time out - Error1"});
    EXPECT_FALSE(rig.link.isPortOpen());
    EXPECT_TRUE(rig.link.slot(Link::kTxCurrent).isEmpty());
    EXPECT_TRUE(rig.link.slot(Link::kTxQueue).isEmpty());
}

TEST_F(Queue, ZeroBudgetBecomesMinusOneAndTheCommandGoesOut) {
    rig.link.setRetryCount(0);
    rig.link.send_com(bytes({0x2B, 100}));
    EXPECT_EQ(rig.link.retryCount(), -1);
    EXPECT_TRUE(waitFor(0x2B));
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(Queue, CountersCommandIsRewrittenWithTheServiceFields) {
    rig.link.setSlot(1, bytes({1, 2, 3, 4}));
    rig.link.setSlot(2, bytes({5, 6, 7, 8}));
    rig.link.setSlot(3, bytes({9, 10, 11, 12}));
    QByteArray full(";");
    for (int i = 0; i < 53; ++i) {
        full.append(static_cast<char>(0x20 + i));
    }
    full.append("dropped");  // bytes beyond position 54 are dropped
    rig.link.setRetryCount(5);
    rig.link.send_com(full);
    const QByteArray current = rig.link.slot(Link::kTxCurrent);
    ASSERT_EQ(current.size(), 1 + 1 + 65 + 1);
    EXPECT_EQ(current.mid(1, 9), bytes({';', 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(current.mid(10, 8), full.mid(1, 8));
    EXPECT_EQ(current.mid(18, 4), bytes({9, 10, 11, 12}));
    EXPECT_EQ(current.mid(22, 45), full.mid(9, 45));
    EXPECT_EQ(rig.link.lastCommand(), ';');
}

TEST_F(Queue, ShortCountersCommandGetsServiceField3AppendedAndNothingMore) {
    rig.link.setSlot(1, bytes({1, 1, 1, 1}));
    rig.link.setSlot(2, bytes({2, 2, 2, 2}));
    rig.link.setSlot(3, bytes({3, 3, 3, 3}));
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({';', 0xA1, 0xA2}));
    const QByteArray current = rig.link.slot(Link::kTxCurrent);
    const QByteArray body = current.mid(1, current.size() - 2);
    EXPECT_EQ(body, bytes({';', 1, 1, 1, 1, 2, 2, 2, 2, 0xA1, 0xA2, 3, 3, 3, 3}));
}

TEST_F(Queue, IgnoredWhenEmptyOrWhileConnecting) {
    rig.link.send_com(Commands{});
    EXPECT_TRUE(rig.link.slot(Link::kTxCurrent).isEmpty());
    rig.link.polaczClick();  // re-identification in progress
    rig.link.setRetryCount(5);
    rig.link.send_com(bytes({0x2B, 100}));
    EXPECT_TRUE(rig.link.slot(Link::kTxCurrent).isEmpty());
    EXPECT_TRUE(rig.link.slot(Link::kTxDeferred).isEmpty());
}

TEST_F(Queue, SaveMarkerCallsTheFileWriteAfterTheConfigurationAnswer) {
    rig.link.setRetryCount(5);
    rig.link.send_com(Commands{bytes({'f', 0}), {}, QByteArray("ZAPIS"), {}, {}});
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.host.settingsFileWrites == 1; }, 5000));
    EXPECT_TRUE(rig.link.slot(Link::kTxQueue + 1).isEmpty());
    EXPECT_EQ(ecu.codes().count(0x66), 2);  // identification and the fresh read
}

TEST_F(Queue, BlockWriteFollowUpKeepsTheWindowBusyUntilTheReadAfterIt) {
    rig.link.setRetryCount(5);
    rig.link.send_com(Commands{QByteArray("&"), bytes({0x1A, 1, 2, 3}), bytes({'f', 0}), {}, {}});
    // After the reset's configuration answer the block write is still queued: window stays busy.
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.host.configurations.size() == 2; }, 5000));
    rig.clock.advance(1);
    EXPECT_FALSE(rig.host.windowEnabled);
    EXPECT_TRUE(rig.host.panelsGrey);
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.host.configurations.size() == 3; }, 8000));
    rig.clock.advance(1);
    EXPECT_TRUE(rig.host.windowEnabled);
    EXPECT_FALSE(rig.host.panelsGrey);
    EXPECT_EQ(ecu.codes().mid(ecu.codes().indexOf(0x26)).mid(0, 3), (QList<int>{0x26, 0x1A, 0x66}));
}
