// `cod`: the frame leaves in pieces of at most 60 bytes with the pauses the controller needs.
#include <gtest/gtest.h>

#include "link/frame_coding.h"
#include "link_fixture.h"

using namespace omvi;
using namespace omvi::test;
using omvi::link::PauseKind;

namespace {

struct Cod : ::testing::Test {
    LinkRig rig;
    void SetUp() override {
        rig.port.setPortName(QStringLiteral("ttyS0"));
        ASSERT_TRUE(rig.port.open());
    }
    // A payload whose frame is exactly `frameLength` bytes (payload + 3).
    static QByteArray payloadForFrame(int frameLength) {
        QByteArray p(frameLength - 3, '\x11');
        p[0] = static_cast<char>(0xF0);
        return p;
    }
    QList<int> pieceSizes() const {
        QList<int> sizes;
        for (const QByteArray& w : rig.port.writes) {
            sizes.append(static_cast<int>(w.size()));
        }
        return sizes;
    }
    QList<int> pacing() const {
        QList<int> ms;
        for (const auto& r : rig.pause.records) {
            ms.append(r.ms);
        }
        return ms;
    }
};

}  // namespace

TEST_F(Cod, SixtyByteFrameIsOneBlock) {
    rig.link.cod(payloadForFrame(60));
    EXPECT_EQ(pieceSizes(), QList<int>{60});
    EXPECT_EQ(pacing(), (QList<int>{1, 0}));
}

TEST_F(Cod, SixtyOneBytesArePiecesOfSixtyAndOne) {
    rig.link.cod(payloadForFrame(61));
    EXPECT_EQ(pieceSizes(), (QList<int>{60, 1}));
    EXPECT_EQ(pacing(), (QList<int>{122, 5, 2, 122, 5}));
}

TEST_F(Cod, HundredTwentyBytesEndWithAnEmptyRemainderWrite) {
    const QByteArray payload = payloadForFrame(120);
    rig.link.cod(payload);
    EXPECT_EQ(pieceSizes(), (QList<int>{60, 60, 0}));
    EXPECT_EQ(pacing(), (QList<int>{122, 5, 122, 5, 2, 122, 5}));
    QByteArray joined;
    for (const QByteArray& w : rig.port.writes) {
        joined.append(w);
    }
    EXPECT_EQ(joined, link::buildRequestFrame(payload));
}

TEST_F(Cod, WaitsOnceWhileThePreviousFrameIsStillLeaving) {
    rig.link.cod(link::Link::pollRequest());
    EXPECT_TRUE(rig.link.txBusy());  // the transmit-empty event has not run yet
    rig.pause.records.clear();
    rig.link.cod(link::Link::pollRequest());
    EXPECT_EQ(pacing(), (QList<int>{100, 1, 0}));
    EXPECT_EQ(rig.port.writes.size(), 2);
    rig.clock.settle();
    EXPECT_FALSE(rig.link.txBusy());
}

TEST_F(Cod, ShortWriteStartsTheAnswerTimeOut) {
    rig.port.writeLimit = 3;
    rig.answerTimer.stop();
    rig.link.cod(link::Link::pollRequest());
    EXPECT_TRUE(rig.answerTimer.isActive());
}

TEST_F(Cod, ClosedPortSendsNothingAndKeepsTheLastCode) {
    rig.link.cod(link::Link::pollRequest());
    rig.port.close();
    rig.link.cod(link::Link::identificationRequest());
    EXPECT_EQ(rig.port.writes.size(), 1);
    EXPECT_EQ(rig.link.lastTxCode(), 0x99);
}

TEST_F(Cod, DisconnectWaitsAreSettlePausesNotPacing) {
    rig.link.setToggle(true);  // port already open: identification goes out
    rig.pause.records.clear();
    rig.link.setToggle(false);
    EXPECT_GT(rig.pause.total(PauseKind::Settle), 0);
    EXPECT_EQ(rig.pause.total(PauseKind::Pacing), 0);
}
