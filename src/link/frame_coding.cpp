#include "link/frame_coding.h"

#include "link/bytes.h"
#include "link/wire_constants.h"

namespace omvi::link {
namespace {

std::uint8_t rotl1(std::uint8_t v) {
    return static_cast<std::uint8_t>((v << 1) | (v >> 7));
}
std::uint8_t rotr1(std::uint8_t v) {
    return static_cast<std::uint8_t>((v >> 1) | (v << 7));
}
std::uint8_t swapNibbles(std::uint8_t v) {
    return static_cast<std::uint8_t>((v << 4) | (v >> 4));
}

// Inverts every bit but bit 1 when bit 1 is clear; an involution on bytes.
std::uint8_t conditionalInvert(std::uint8_t v) {
    if ((v & 0x02) == 0) {
        return static_cast<std::uint8_t>(~v & 0xFD);
    }
    return v;
}

}  // namespace

std::uint8_t encodeRequestByte(int position, std::uint8_t plain) {
    std::uint8_t c = plain;
    if (position == 2) {
        c = static_cast<std::uint8_t>(c + 3);
    }
    const std::uint8_t r = conditionalInvert(rotl1(c));
    return static_cast<std::uint8_t>(swapNibbles(r) ^ wire::link_mask);
}

std::uint8_t decodeRequestByte(int position, std::uint8_t wireByte) {
    const std::uint8_t r =
        conditionalInvert(swapNibbles(static_cast<std::uint8_t>(wireByte ^ wire::link_mask)));
    std::uint8_t c = rotr1(r);
    if (position == 2) {
        c = static_cast<std::uint8_t>(c - 3);
    }
    return c;
}

QByteArray buildRequestFrame(const QByteArray& payload) {
    QByteArray frame;
    frame.reserve(payload.size() + 3);
    frame.append(static_cast<char>(wire::kFrameMarker));
    unsigned sum = 0;
    for (qsizetype i = 0; i < payload.size(); ++i) {
        const std::uint8_t b =
            encodeRequestByte(static_cast<int>(i + 1), static_cast<std::uint8_t>(payload.at(i)));
        sum += b;
        frame.append(static_cast<char>(b));
    }
    frame.append(static_cast<char>((sum + wire::kChecksumOffset) & 0xFF));
    frame.append(static_cast<char>(wire::kFrameMarker));
    return frame;
}

std::uint8_t decodeAnswerByte(std::uint8_t wireByte, std::uint8_t lastTxCode) {
    std::uint8_t b = static_cast<std::uint8_t>(wireByte ^ lastTxCode);
    b = static_cast<std::uint8_t>(b - lastTxCode);
    b = static_cast<std::uint8_t>(b ^ wire::reply_mask);
    b = swapNibbles(b);
    b = conditionalInvert(b);
    return rotr1(b);
}

std::uint8_t encodeAnswerByte(std::uint8_t plain, std::uint8_t lastTxCode) {
    std::uint8_t b = conditionalInvert(rotl1(plain));
    b = swapNibbles(b);
    b = static_cast<std::uint8_t>(b ^ wire::reply_mask);
    b = static_cast<std::uint8_t>(b + lastTxCode);
    return static_cast<std::uint8_t>(b ^ lastTxCode);
}

QByteArray decodeAnswerBytes(const QByteArray& wireBytes, std::uint8_t lastTxCode) {
    QByteArray out(wireBytes.size(), '\0');
    for (qsizetype i = 0; i < wireBytes.size(); ++i) {
        out[i] = static_cast<char>(
            decodeAnswerByte(static_cast<std::uint8_t>(wireBytes.at(i)), lastTxCode));
    }
    return out;
}

QByteArray encodeAnswerBytes(const QByteArray& plain, std::uint8_t lastTxCode) {
    QByteArray out(plain.size(), '\0');
    for (qsizetype i = 0; i < plain.size(); ++i) {
        out[i] =
            static_cast<char>(encodeAnswerByte(static_cast<std::uint8_t>(plain.at(i)), lastTxCode));
    }
    return out;
}

QByteArray makeRequestPayload(const QByteArray& command) {
    QByteArray payload;
    payload.reserve(command.size() + 2);
    payload.append(static_cast<char>(wire::kLead));
    payload.append(command);
    payload.append(static_cast<char>(additiveSum(payload)));
    return payload;
}

QByteArray makeAnswer(std::uint8_t echo, const QByteArray& data) {
    const qsizetype total = data.size() + 5;
    QByteArray answer;
    answer.reserve(total);
    answer.append(static_cast<char>(wire::kLead));
    answer.append(static_cast<char>((total >> 8) & 0xFF));
    answer.append(static_cast<char>(total & 0xFF));
    answer.append(static_cast<char>(echo));
    answer.append(data);
    answer.append(static_cast<char>(additiveSum(answer)));
    return answer;
}

}  // namespace omvi::link
