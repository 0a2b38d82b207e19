#pragma once
// Constants of the wire protocol, shared by the program and the simulated controller. A controller
// maker reads the same values in docs/protocol.md; change both together or not at all.

#include <cstdint>

namespace omvi::wire {

// XOR constant of the request byte transform (program to controller).
inline constexpr std::uint8_t link_mask = 0x3C;
// XOR constant of the answer byte transform (controller to program).
inline constexpr std::uint8_t reply_mask = 0x5A;

inline constexpr std::uint8_t kFrameMarker = 0xCC;
// 2 x 0xCC mod 256: the outer checksum then equals the sum of every other frame byte.
inline constexpr std::uint8_t kChecksumOffset = 0x98;
inline constexpr int kPieceSize = 60;
inline constexpr std::uint8_t kLead = 0xF0;
inline constexpr int kBaudRate = 7200;

// Command codes with a special role in the link.
inline constexpr std::uint8_t kCmdIdentify = 0x66;      // 'f': read configuration
inline constexpr std::uint8_t kCmdPoll = 0x99;          // live data
inline constexpr std::uint8_t kCmdFactoryReset = 0x26;  // '&'
inline constexpr std::uint8_t kCmdAdaptationEnd = 0x05;
inline constexpr std::uint8_t kCmdAdaptationResult = 0x02;
inline constexpr std::uint8_t kCmdCountersWrite = 0x3B;  // ';'
inline constexpr std::uint8_t kCmdCountersRead = 0x3C;   // '<'
inline constexpr std::uint8_t kCmdConfigBlockWrite = 0x1A;

// Offset of the identity byte in the configuration image that live frames repeat at offset 4.
inline constexpr int kLiveCheckOffset = 301;

}  // namespace omvi::wire
