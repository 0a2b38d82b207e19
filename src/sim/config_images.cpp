#include "sim/config_images.h"

#include <QDate>
#include <QStringList>
#include <cmath>

#include "link/bytes.h"
#include "link/wire_constants.h"

namespace omvi::sim {
namespace {

void put(QByteArray& frame, int offset, int value) {
    if (offset >= 0 && offset < frame.size()) {
        frame[offset] = static_cast<char>(value & 0xFF);
    }
}

void putDwordLe(QByteArray& frame, int offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        put(frame, offset + i, static_cast<int>((value >> (8 * i)) & 0xFF));
    }
}

int roundHalfEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

// Rises from 1.00 at the shortest injection times to a plateau near 1.26: gas injectors need a
// little more time than petrol ones once the pulse is long enough for the pressure to matter.
void fillMap(QByteArray& frame) {
    for (int k = 1; k <= image::kMapPoints; ++k) {
        const double ms = 1.0 + (k - 1) / 10.0;
        const double v = 100.0 + 26.0 * (1.0 - std::exp(-(ms - 1.0) / 3.0));
        put(frame, image::kMap + k - 1, roundHalfEven(v));
    }
}

// Percent per 10 degC from -40 to 120: richer when cold, a little leaner when hot.
constexpr std::array<int, 17> kTempCorrection = {10, 8, 6, 4, 3,  2,  1,  0, 0,
                                                 0,  0, 0, 0, -1, -2, -3, -4};

void fillTemperatureCurve(QByteArray& frame) {
    std::array<int, 18> v{};  // 1-based
    for (int i = 1; i <= 17; ++i) {
        v[static_cast<std::size_t>(i)] = 128 + kTempCorrection[static_cast<std::size_t>(i - 1)];
    }
    // Points 2..14 with the middle values between them, then 15, 1, 16, 17.
    int at = image::kTempCurve;
    for (int i = 2; i <= 14; ++i) {
        const int vi = v[static_cast<std::size_t>(i)];
        put(frame, at++, vi);
        if (i < 14) {
            const int next = v[static_cast<std::size_t>(i + 1)];
            put(frame, at++, vi + roundHalfEven((next - vi) / 2.0));
        }
    }
    put(frame, at++, v[15]);
    put(frame, at++, v[1]);
    put(frame, at++, v[16]);
    put(frame, at, v[17]);
}

int gridByte(int percent) {
    return 128 + roundHalfEven(percent * 64.0 / 50.0);
}

// Neutral except a little more gas at high speed with long pulses and a little less just off
// idle with very short ones; the idle cell itself stays at 0 %.
void fillRpmGrid(QByteArray& frame) {
    for (int row = 1; row <= image::kRpmGridRows; ++row) {  // row 1 = 0 rpm
        for (int col = 1; col <= image::kRpmGridColumns; ++col) {
            int percent = 0;
            if (row >= 11 && col >= 15) {
                percent = 3;
            } else if (row == 2 && col <= 2) {
                percent = -2;
            }
            put(frame, image::kRpmGrid + image::kRpmGridColumns * (row - 1) + col - 1,
                gridByte(percent));
        }
    }
}

void fillCounters(QByteArray& frame) {
    const int c = image::kCounters;
    constexpr std::uint32_t kPetrolHalfSeconds = 312u * 7200u + 25u * 120u;
    constexpr std::uint32_t kGasHalfSeconds = 1250u * 7200u + 10u * 120u + 60u;
    constexpr std::uint32_t kServiceDue = kGasHalfSeconds + 150u * 7200u;
    putDwordLe(frame, c + 0, kPetrolHalfSeconds);
    putDwordLe(frame, c + 4, kGasHalfSeconds);
    putDwordLe(frame, c + 16, kServiceDue);
    putDwordLe(frame, c + 31, dateCode(2024, 2, 8, 8, 45));    // last PC connection
    putDwordLe(frame, c + 42, dateCode(2019, 5, 14, 10, 30));  // first adaptation
    putDwordLe(frame, c + 53, dateCode(2023, 9, 21, 16, 5));   // last adaptation
    put(frame, image::kCountersLast, 0x01);                    // service reminder on
}

void fillErrorRegister(QByteArray& frame, Generation generation) {
    const int start = registerStart(generation);
    for (int i = 0; i < registerOwnLength(generation); ++i) {
        put(frame, start + i, 0xFF);
    }
    // LPG pressure too low, an injector fault on cylinder 3, ignition voltage too low.
    const std::array<int, 4> entries = {0x04, 0x00, 0xFB, 0x05};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        put(frame, start + static_cast<int>(i), entries[i]);
    }
}

void fillSettings(QByteArray& frame, Generation generation) {
    using namespace image;
    put(frame, kModel, 6);
    put(frame, kIdentity, 0x5A);
    put(frame, kNozzle, 2);
    put(frame, kPulseSource, 0);  // single coil
    put(frame, kCylinders, 3);    // four cylinders
    put(frame, kRpmToGasHundreds, 15);
    put(frame, kRpmToGasRemainder, 0);
    put(frame, kRpmMaxHundreds, 65);
    put(frame, kRpmMaxRemainder, 0);
    put(frame, kRpmMinHundreds, 9);
    put(frame, kRpmMinRemainder, 0);
    // 0-90 Ohm sender: 0.70, 1.50, 2.20, 2.80 V.
    put(frame, kLevelThresholds + 0, 36);
    put(frame, kLevelThresholds + 1, 76);
    put(frame, kLevelThresholds + 2, 112);
    put(frame, kLevelThresholds + 3, 143);
    put(frame, kLevelSensorType, 0);
    put(frame, kReducerTempSensor, 2);  // 1,7 kOhm
    put(frame, kGasTempSensor, 2);
    put(frame, kPressureSensor, 4);
    put(frame, kFlags356, 0x00);  // standard engine, injectors on -, map not locked
    put(frame, kTempToGas, 35);
    put(frame, kWorkingPressure, 120);
    put(frame, kMinPressure, 80);
    put(frame, kPressureErrorDelay, 50);  // 500 ms
    put(frame, kSwitchTimeLow, 60);       // 30 s in half seconds
    put(frame, kSwitchTimeHigh, 0);
    if (generation == Generation::Gen5911) {
        put(frame, kSwitchTimeHighGen5911, 0);
    }
    put(frame, kCylinderDelay, 10);  // 100 ms
    put(frame, kInjectorType, 8);    // Valtek / RAIL 1 Ohm and its parameters
    put(frame, kInjectorParams + 0, 6);
    put(frame, kInjectorParams + 1, 30);
    put(frame, kInjectorParams + 2, 89);
    put(frame, kInjectorParams + 3, 20);
    put(frame, kFlags634, 0x00);  // LPG, no heating, no switch at the first drop
    put(frame, kCorrection1, 128);
    const std::array<int, 5> corrections = {2, -1, 0, 0, 0};  // cylinders 2..6
    for (std::size_t i = 0; i < corrections.size(); ++i) {
        put(frame, kCorrections2to6 + static_cast<int>(i), 128 + corrections[i]);
    }
    put(frame, kMinGasTemp, -10);
    put(frame, kRpmSignalLevel, 85);  // 5.0 V
    put(frame, kFullGroup, 0);
    put(frame, kMinInjection, 15);  // 1.5 ms
    put(frame, kMazda, 128);
    put(frame, kBanks, 0x3F);  // an in-line engine: every cylinder on bank 1
}

}  // namespace

std::optional<FirmwareVersion> parseFirmware(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3) {
        return std::nullopt;
    }
    FirmwareVersion version{};
    for (std::size_t i = 0; i < 3; ++i) {
        const QString& part = parts.at(static_cast<qsizetype>(i));
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (!ok || part.isEmpty() || part.startsWith(QLatin1Char('+')) ||
            part.startsWith(QLatin1Char('-')) || value < 0 || value > 255) {
            return std::nullopt;
        }
        version[i] = static_cast<std::uint8_t>(value);
    }
    return version;
}

Generation generationOf(const FirmwareVersion& version) {
    if (version == FirmwareVersion{3, 7, 7}) {
        return Generation::Gen377;
    }
    if (version == FirmwareVersion{5, 9, 11}) {
        return Generation::Gen5911;
    }
    if (version == FirmwareVersion{5, 10, 11}) {
        return Generation::Gen51011;
    }
    return Generation::Other;
}

int registerStart(Generation generation) {
    return generation == Generation::Gen5911 ? 317 : 303;
}

int registerOwnLength(Generation generation) {
    return image::kPulseSource - registerStart(generation) < image::kRegisterLength
               ? image::kPulseSource - registerStart(generation)
               : image::kRegisterLength;
}

int blockWriteOffset(Generation generation) {
    return generation == Generation::Gen377 || generation == Generation::Gen5911 ? 21 : 343;
}

std::uint32_t dateCode(int year, int month, int day, int hour, int minute) {
    const qint64 days = QDate(1899, 12, 30).daysTo(QDate(year, month, day));
    const double t = static_cast<double>(days) + (hour * 3600 + minute * 60) / 86400.0;
    return static_cast<std::uint32_t>(std::llround((t - 36000.0) * 100000.0));
}

void sealFrame(QByteArray& frame) {
    if (frame.size() < 5) {
        return;
    }
    const qsizetype n = frame.size();
    frame[0] = static_cast<char>(wire::kLead);
    frame[1] = static_cast<char>((n >> 8) & 0xFF);
    frame[2] = static_cast<char>(n & 0xFF);
    frame[n - 1] = static_cast<char>(additiveSum(frame, 0, n - 1));
}

QByteArray defaultImage(const FirmwareVersion& version) {
    const Generation generation = generationOf(version);
    QByteArray frame(image::kFrameLength, '\0');
    frame[3] = static_cast<char>(wire::kCmdIdentify);
    for (int i = 0; i < 3; ++i) {
        put(frame, image::kVersion + i, version[static_cast<std::size_t>(i)]);
    }
    fillCounters(frame);
    fillMap(frame);
    fillRpmGrid(frame);  // before the settings that share bytes with the grid area
    fillTemperatureCurve(frame);
    fillSettings(frame, generation);
    fillErrorRegister(frame, generation);
    sealFrame(frame);
    return frame;
}

}  // namespace omvi::sim
