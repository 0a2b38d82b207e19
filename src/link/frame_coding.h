#pragma once
// Byte coding of the serial protocol, both directions, as pure functions. The link's `cod`
// (which also paces the writes) and the simulated controller are built on these.

#include <QByteArray>
#include <cstdint>

namespace omvi::link {

// Request byte transform of the payload byte at 1-based position `position`.
std::uint8_t encodeRequestByte(int position, std::uint8_t plain);
// Its inverse, as a controller applies it.
std::uint8_t decodeRequestByte(int position, std::uint8_t wire);

// 0xCC, transformed payload, outer checksum, 0xCC.
QByteArray buildRequestFrame(const QByteArray& payload);

// Answer byte transform: what the program applies to every received byte.
std::uint8_t decodeAnswerByte(std::uint8_t wire, std::uint8_t lastTxCode);
// Its inverse, as a controller applies it to every byte it sends.
std::uint8_t encodeAnswerByte(std::uint8_t plain, std::uint8_t lastTxCode);

QByteArray decodeAnswerBytes(const QByteArray& wire, std::uint8_t lastTxCode);
QByteArray encodeAnswerBytes(const QByteArray& plain, std::uint8_t lastTxCode);

// 0xF0, command bytes, one-byte additive sum: the plain payload of a request.
QByteArray makeRequestPayload(const QByteArray& command);
// 0xF0, total length (big-endian), echo, data, sum: a plain answer.
QByteArray makeAnswer(std::uint8_t echo, const QByteArray& data);

}  // namespace omvi::link
