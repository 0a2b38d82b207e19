#include "link/frame_coding.h"

#include <gtest/gtest.h>

#include "link/bytes.h"
#include "link/wire_constants.h"

using namespace omvi;
using namespace omvi::link;

TEST(RequestTransform, PollRequestGivesTheDocumentedFrame) {
    // Worked by hand in docs/protocol.md.
    EXPECT_EQ(buildRequestFrame(bytes({0xF0, 0x99, 0x01, 0x8A})),
              bytes({0xCC, 0xFD, 0x70, 0x1C, 0xB2, 0xD3, 0xCC}));
}

TEST(RequestTransform, SecondByteWrapsBeforeRotation) {
    // 0xFD, 0xFE, 0xFF at position 2 become 0x00, 0x01, 0x02 before the rotation, so they code
    // like those values at a position without the +3.
    EXPECT_EQ(encodeRequestByte(2, 0xFD), encodeRequestByte(1, 0x00));
    EXPECT_EQ(encodeRequestByte(2, 0xFE), encodeRequestByte(3, 0x01));
    EXPECT_EQ(encodeRequestByte(2, 0xFF), encodeRequestByte(4, 0x02));
}

TEST(RequestTransform, IsABijectionThatTheControllerCanUndo) {
    for (int position : {1, 2, 3, 200}) {
        bool seen[256] = {};
        for (int c = 0; c < 256; ++c) {
            const std::uint8_t w = encodeRequestByte(position, static_cast<std::uint8_t>(c));
            EXPECT_FALSE(seen[w]) << "position " << position << " value " << c;
            seen[w] = true;
            EXPECT_EQ(decodeRequestByte(position, w), c);
        }
    }
}

TEST(RequestFrame, FourBytePayloadGivesSevenByteFrameWithOuterChecksum) {
    const QByteArray frame = buildRequestFrame(bytes({0xF0, 0x26, 0x16, 0x00}));
    ASSERT_EQ(frame.size(), 7);
    EXPECT_EQ(byteAt(frame, 0), 0xCC);
    EXPECT_EQ(byteAt(frame, 6), 0xCC);
    // The outer checksum equals the low 8 bits of the sum of every other frame byte.
    const int others = additiveSum(frame, 0, 5) + byteAt(frame, 6);
    EXPECT_EQ(byteAt(frame, 5), others & 0xFF);
}

TEST(RequestFrame, ChecksumIsZeroWhenTransformedBytesSumTo0x68) {
    // Find a one-byte payload whose transformed byte is 0x68.
    int plain = -1;
    for (int c = 0; c < 256; ++c) {
        if (encodeRequestByte(1, static_cast<std::uint8_t>(c)) == 0x68) {
            plain = c;
        }
    }
    ASSERT_GE(plain, 0);
    const QByteArray frame = buildRequestFrame(bytes({plain}));
    EXPECT_EQ(frame, bytes({0xCC, 0x68, 0x00, 0xCC}));
}

TEST(AnswerTransform, DecodesAHandWorkedByte) {
    EXPECT_EQ(encodeAnswerByte(0xF0, 0x99), 0xAD);
    EXPECT_EQ(decodeAnswerByte(0xAD, 0x99), 0xF0);
}

TEST(AnswerTransform, InverseHoldsForEveryByteAndCode) {
    for (int code = 0; code < 256; ++code) {
        for (int b = 0; b < 256; ++b) {
            const auto t = static_cast<std::uint8_t>(code);
            ASSERT_EQ(decodeAnswerByte(encodeAnswerByte(static_cast<std::uint8_t>(b), t), t), b);
        }
    }
}

TEST(AnswerTransform, IsNotTheInverseOfTheRequestTransform) {
    int differences = 0;
    for (int b = 0; b < 256; ++b) {
        const auto w = encodeRequestByte(3, static_cast<std::uint8_t>(b));
        differences += decodeAnswerByte(w, 0) != b ? 1 : 0;
    }
    EXPECT_GT(differences, 0);
}

TEST(Payloads, RequestPayloadAndAnswerCarryTheirSums) {
    EXPECT_EQ(makeRequestPayload(QByteArray("&")), bytes({0xF0, 0x26, 0x16}));
    const QByteArray answer = makeAnswer(0x99, bytes({1, 2, 3}));
    EXPECT_EQ(answer, bytes({0xF0, 0x00, 0x08, 0x99, 1, 2, 3, (0xF0 + 0x08 + 0x99 + 6) & 0xFF}));
}

TEST(Bytes, ReadsBeyondTheEndGiveZero) {
    const QByteArray two = bytes({0x12, 0x34});
    EXPECT_EQ(byteAt(two, 1), 0x34);
    EXPECT_EQ(byteAt(two, 2), 0);
    EXPECT_EQ(byteAt(two, -1), 0);
    EXPECT_EQ(wordLe(two, 0), 0x3412);
    EXPECT_EQ(wordBe(two, 1), 0x3400);
    EXPECT_EQ(dwordLe(two, 0), 0x3412u);
}
