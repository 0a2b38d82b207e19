#include "sim/request_parser.h"

#include <gtest/gtest.h>

#include <random>

#include "link/wire_constants.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using omvi::sim::test::requestWire;

namespace {

const QByteArray kPoll = bytes({0xF0, 0x99, 0x01, 0x8A});
const QByteArray kIdentify = bytes({0xF0, 0x66, 0x01, 0x57});

QList<QByteArray> feedInPieces(RequestParser& parser, const QByteArray& stream,
                               const QList<int>& sizes) {
    QList<QByteArray> out;
    qsizetype at = 0;
    for (int i = 0; at < stream.size(); ++i) {
        const int n = sizes.isEmpty() ? 1 : sizes.at(i % sizes.size());
        out.append(parser.feed(stream.mid(at, n)));
        at += n;
    }
    return out;
}

// A one-parameter command whose parameter byte is scrambled into the frame marker.
QByteArray commandWithMarkerInBody() {
    for (int c = 0; c < 256; ++c) {
        if (link::encodeRequestByte(3, static_cast<std::uint8_t>(c)) == wire::kFrameMarker) {
            return bytes({0x2B, c});
        }
    }
    return {};
}

// A one-parameter command whose outer checksum is the frame marker.
QByteArray commandWithMarkerChecksum() {
    for (int c = 0; c < 256; ++c) {
        const QByteArray frame = requestWire(bytes({0x1E, c}));
        if (byteAt(frame, frame.size() - 2) == wire::kFrameMarker) {
            return bytes({0x1E, c});
        }
    }
    return {};
}

}  // namespace

TEST(RequestParser, FindsFramesInAnyChunking) {
    const QByteArray map = QByteArray(1, 0x0B) + QByteArray(256, 0x64);
    const QByteArray stream = link::buildRequestFrame(kIdentify) + requestWire(map) +
                              link::buildRequestFrame(kPoll) + requestWire(bytes({0x2B, 125}));
    const QList<QList<int>> chunkings = {{}, {2}, {3, 1, 7}, {59, 60, 61}, {4096}};
    for (const QList<int>& sizes : chunkings) {
        RequestParser parser;
        const QList<QByteArray> found = feedInPieces(parser, stream, sizes);
        ASSERT_EQ(found.size(), 4) << "chunk sizes " << sizes.size();
        EXPECT_EQ(found.at(0), kIdentify);
        EXPECT_EQ(found.at(1), link::makeRequestPayload(map));
        EXPECT_EQ(found.at(2), kPoll);
        EXPECT_EQ(byteAt(found.at(3), 2), 125);
        EXPECT_EQ(parser.rejected(), 0);
        EXPECT_EQ(parser.pending(), 0);
    }
    // Random cuts, reproducible.
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        QList<int> sizes;
        for (int i = 0; i < 20; ++i) {
            sizes.append(static_cast<int>(rng() % 40) + 1);
        }
        RequestParser parser;
        EXPECT_EQ(feedInPieces(parser, stream, sizes).size(), 4);
    }
}

TEST(RequestParser, AFrameIsOnlyCompleteWithItsLastByte) {
    const QByteArray frame = requestWire(bytes({0x0A, 0x01}));
    RequestParser parser;
    for (qsizetype i = 0; i + 1 < frame.size(); ++i) {
        EXPECT_TRUE(parser.feed(frame.mid(i, 1)).isEmpty()) << "byte " << i;
    }
    EXPECT_EQ(parser.feed(frame.right(1)).size(), 1);
}

TEST(RequestParser, MarkerBytesInsideTheBodyOrAsChecksumDoNotEndTheFrame) {
    const QByteArray inBody = commandWithMarkerInBody();
    const QByteArray inSum = commandWithMarkerChecksum();
    ASSERT_FALSE(inBody.isEmpty());
    ASSERT_FALSE(inSum.isEmpty());
    ASSERT_TRUE(requestWire(inBody).mid(1, requestWire(inBody).size() - 2).contains('\xCC'));
    for (const QByteArray& command : {inBody, inSum}) {
        RequestParser parser;
        const QList<QByteArray> found =
            feedInPieces(parser, requestWire(command) + link::buildRequestFrame(kPoll), {1});
        ASSERT_EQ(found.size(), 2);
        EXPECT_EQ(found.at(0), link::makeRequestPayload(command));
        EXPECT_EQ(parser.rejected(), 0);
    }
}

TEST(RequestParser, SkipsGarbageBetweenFrames) {
    const QByteArray noise = bytes({0x00, 0x13, 0xCC, 0x47, 0xCC, 0xCC, 0xFF});
    const QByteArray stream = noise + link::buildRequestFrame(kPoll) + noise +
                              link::buildRequestFrame(kIdentify) + bytes({0x55, 0xAA});
    for (const QList<int>& sizes : QList<QList<int>>{{}, {5}, {4096}}) {
        RequestParser parser;
        const QList<QByteArray> found = feedInPieces(parser, stream, sizes);
        ASSERT_EQ(found.size(), 2);
        EXPECT_EQ(found.at(0), kPoll);
        EXPECT_EQ(found.at(1), kIdentify);
        EXPECT_GT(parser.rejected(), 0);
        EXPECT_EQ(parser.pending(), 0);  // trailing noise without a marker is not kept
    }
}

TEST(RequestParser, ABadFrameIsRejectedAndTheNextOneStillRead) {
    QByteArray badInner = kPoll;
    badInner[3] = static_cast<char>(0x8B);  // inner sum off by one
    QByteArray badOuter = link::buildRequestFrame(kIdentify);
    badOuter[badOuter.size() - 2] = static_cast<char>(byteAt(badOuter, badOuter.size() - 2) + 1);
    const QByteArray truncated = link::buildRequestFrame(kIdentify).left(4);
    for (const QByteArray& bad : {link::buildRequestFrame(badInner), badOuter, truncated}) {
        RequestParser parser;
        EXPECT_TRUE(parser.feed(bad).isEmpty());
        const QList<QByteArray> found = parser.feed(link::buildRequestFrame(kPoll));
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found.at(0), kPoll);
        EXPECT_EQ(parser.rejected(), 1);
    }
}

TEST(RequestParser, EndlessNoiseIsNotHoarded) {
    // Looks like the start of a frame over and over, but never ends as one.
    QByteArray stream;
    stream.append('\xCC');
    stream.append(static_cast<char>(link::encodeRequestByte(1, 0xF0)));
    for (int i = 0; i < 5000; ++i) {
        stream.append(static_cast<char>(0x11 + (i % 7)));
    }
    RequestParser parser;
    feedInPieces(parser, stream, {100});
    EXPECT_LE(parser.pending(), RequestParser::kMaxFrameLength);
    EXPECT_EQ(parser.rejected(), 1);
    EXPECT_EQ(parser.feed(link::buildRequestFrame(kPoll)).size(), 1);
}

TEST(SimulatorReception, UnreadableRequestsGetNoAnswer) {
    EcuSimulator sim;
    QByteArray bad = link::makeRequestPayload(bytes({0x2B, 100}));
    bad[bad.size() - 1] = static_cast<char>(byteAt(bad, bad.size() - 1) ^ 0x01);
    EXPECT_TRUE(sim.receive(link::buildRequestFrame(bad), 0).isEmpty());
    const QList<QByteArray> answers = sim.receive(requestWire(bytes({0x2B, 100})), 0);
    EXPECT_EQ(answers.size(), 1);
    EXPECT_EQ(sim.requestsRejected(), 1);
    EXPECT_EQ(sim.answersSent(), 1);
    EXPECT_EQ(sim.receivedCommands(), QList<QByteArray>{bytes({0x2B, 100})});
}
