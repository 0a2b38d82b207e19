#pragma once
// Bounds-checked access to byte strings: a byte beyond the end reads as 0, so a short frame,
// image or record can never be read past its end.

#include <QByteArray>
#include <cstdint>

namespace omvi {

inline std::uint8_t byteAt(const QByteArray& data, qsizetype index) {
    if (index < 0 || index >= data.size()) {
        return 0;
    }
    return static_cast<std::uint8_t>(data.at(index));
}

// Little-endian 16-bit word at index (missing bytes read as 0).
inline int wordLe(const QByteArray& data, qsizetype index) {
    return byteAt(data, index) | (byteAt(data, index + 1) << 8);
}

// Big-endian 16-bit word at index (missing bytes read as 0).
inline int wordBe(const QByteArray& data, qsizetype index) {
    return (byteAt(data, index) << 8) | byteAt(data, index + 1);
}

inline std::uint32_t dwordLe(const QByteArray& data, qsizetype index) {
    return static_cast<std::uint32_t>(byteAt(data, index)) |
           (static_cast<std::uint32_t>(byteAt(data, index + 1)) << 8) |
           (static_cast<std::uint32_t>(byteAt(data, index + 2)) << 16) |
           (static_cast<std::uint32_t>(byteAt(data, index + 3)) << 24);
}

// Low 8 bits of the sum of bytes [from, to) (clamped to the string).
inline std::uint8_t additiveSum(const QByteArray& data, qsizetype from = 0, qsizetype to = -1) {
    if (to < 0 || to > data.size()) {
        to = data.size();
    }
    unsigned sum = 0;
    for (qsizetype i = from < 0 ? 0 : from; i < to; ++i) {
        sum += static_cast<std::uint8_t>(data.at(i));
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(values.size()));
    for (int v : values) {
        out.append(static_cast<char>(v & 0xFF));
    }
    return out;
}

}  // namespace omvi
