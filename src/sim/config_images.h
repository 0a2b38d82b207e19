#pragma once
// The simulated controller's configuration images: one default image per firmware version, and
// where each firmware keeps the fields that differ between generations.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace omvi::sim {

using FirmwareVersion = std::array<std::uint8_t, 3>;

// "major.minor.patch", each part 0..255 in decimal.
std::optional<FirmwareVersion> parseFirmware(const QString& text);

// The three generations the program knows; any other version is served like the newest.
enum class Generation { Gen377, Gen5911, Gen51011, Other };
Generation generationOf(const FirmwareVersion& version);

// Offsets into the image frame (0xF0, length, echo, data, sum).
namespace image {
inline constexpr int kFrameLength = 1356;
inline constexpr int kVersion = 4;
inline constexpr int kModel = 28;
inline constexpr int kCounters = 46;  // 64 bytes, then the record's last byte at kCountersLast
inline constexpr int kCountersSpan = 64;
inline constexpr int kCountersLast = 187;
inline constexpr int kCountersRecordLength = 65;
inline constexpr int kIdentity = 301;
inline constexpr int kNozzle = 302;
inline constexpr int kRegisterLength = 40;
inline constexpr int kPulseSource = 343;
inline constexpr int kCylinders = 344;  // cylinders - 1
inline constexpr int kRpmToGasHundreds = 345;
inline constexpr int kRpmMaxHundreds = 346;
inline constexpr int kLevelThresholds = 347;  // 4 bytes, volts x 51
inline constexpr int kLevelSensorType = 351;
inline constexpr int kReducerTempSensor = 352;
inline constexpr int kGasTempSensor = 353;
inline constexpr int kPressureSensor = 355;
inline constexpr int kFlags356 = 356;  // bit 7 injectors on +, bit 6 map locked, bit 3 turbo
inline constexpr int kTempToGas = 357;
inline constexpr int kWorkingPressure = 358;
inline constexpr int kMinPressure = 362;
inline constexpr int kPressureErrorDelay = 363;
inline constexpr int kSwitchTimeLow = 364;
inline constexpr int kCylinderDelay = 365;
inline constexpr int kInjectorType = 367;
inline constexpr int kInjectorParams = 368;  // 4 bytes
inline constexpr int kMap = 388;             // 246 bytes, 1.0 .. 25.5 ms
inline constexpr int kMapPoints = 246;
inline constexpr int kFlags634 = 634;  // bit 0 first drop, bit 1 CNG, bit 3 heating
inline constexpr int kSwitchTimeHigh = 637;
inline constexpr int kCorrection1 = 638;
inline constexpr int kRpmMinHundreds = 646;
inline constexpr int kMinGasTemp = 647;
inline constexpr int kRpmSignalLevel = 650;
inline constexpr int kRpmGrid = 651;  // 13 rows of 26, 0 rpm row first
inline constexpr int kRpmGridRows = 13;
inline constexpr int kRpmGridColumns = 26;
inline constexpr int kSwitchTimeHighGen5911 = 883;
inline constexpr int kCorrections2to6 = 885;
inline constexpr int kTempCurve = 989;  // 29 bytes up to 1017
inline constexpr int kTempCurveLength = 29;
inline constexpr int kRpmToGasRemainder = 1020;
inline constexpr int kRpmMaxRemainder = 1021;
inline constexpr int kRpmMinRemainder = 1022;
inline constexpr int kFullGroup = 1023;
inline constexpr int kMinInjection = 1025;
inline constexpr int kMazda = 1284;
inline constexpr int kBanks = 1347;
}  // namespace image

// Where the error register starts for this generation (5.9.11 keeps it 14 bytes later).
int registerStart(Generation generation);
// The register bytes that are the register's own: for 5.9.11 the last 14 bytes of the 40 that
// are read are settings, and clearing the errors must not touch them.
int registerOwnLength(Generation generation);
// Image offset at which the 0x1A block write lands.
int blockWriteOffset(Generation generation);

// The factory image of a firmware version: a complete answer frame of kFrameLength bytes with a
// good sum.
QByteArray defaultImage(const FirmwareVersion& version);

// Date code of the counters record: 1/100000 day since 1998-07-24 00:00.
std::uint32_t dateCode(int year, int month, int day, int hour, int minute);

// Makes bytes 1, 2 and the last byte of an image frame agree with its contents.
void sealFrame(QByteArray& frame);

}  // namespace omvi::sim
