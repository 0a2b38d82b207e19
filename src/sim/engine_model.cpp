#include "sim/engine_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "link/bytes.h"
#include "link/wire_constants.h"
#include "sim/config_images.h"

namespace omvi::sim {
namespace {

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

void put(QByteArray& frame, int offset, int value) {
    frame[offset] = static_cast<char>(std::clamp(value, 0, 255));
}

// Signed values as their two's-complement byte.
void putSigned(QByteArray& frame, int offset, int value) {
    frame[offset] = static_cast<char>(std::clamp(value, -128, 127) & 0xFF);
}

void putWordLe(QByteArray& frame, int offset, int value) {
    value = std::clamp(value, 0, 0xFFFF);
    frame[offset] = static_cast<char>(value & 0xFF);
    frame[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void putWordBe(QByteArray& frame, int offset, int value) {
    value = std::clamp(value, 0, 0xFFFF);
    frame[offset] = static_cast<char>((value >> 8) & 0xFF);
    frame[offset + 1] = static_cast<char>(value & 0xFF);
}

// The multiplier map entry for a petrol time in 0.1 ms (the map starts at 1.0 ms).
double mapMultiplier(const QByteArray& image, int petrolTenths) {
    const int point = std::clamp(petrolTenths - 9, 1, image::kMapPoints);
    return byteAt(image, image::kMap + point - 1) / 100.0;
}

// Temperature correction in percent at `temp` degC, between the 17 points -40 .. 120.
double temperatureCorrection(const QByteArray& image, double temp) {
    auto point = [&image](int i) {  // 1-based, as the curve is written
        int v = 0;
        if (i == 1) {
            v = byteAt(image, 1015);
        } else if (i <= 14) {
            v = byteAt(image, image::kTempCurve + 2 * (i - 2));
        } else if (i == 15) {
            v = byteAt(image, 1014);
        } else {
            v = byteAt(image, i == 16 ? 1016 : 1017);
        }
        if (v == 0 && (i == 1 || i >= 16)) {
            v = 128;
        }
        return v - 128.0;
    };
    const double pos = std::clamp((temp + 40.0) / 10.0, 0.0, 16.0);
    const int lower = static_cast<int>(std::floor(pos));
    const int upper = std::min(lower + 1, 16);
    const double frac = pos - lower;
    return point(lower + 1) * (1.0 - frac) + point(upper + 1) * frac;
}

// The RPM correction cell the program marks as the operating point, in percent.
double rpmCorrection(const QByteArray& image, int rpm, int petrolTenths) {
    const int row = std::clamp(static_cast<int>(std::nearbyint(rpm / 500.0)) + 1, 1, 13);
    const int col = std::clamp(static_cast<int>(std::nearbyint(petrolTenths / 10.0)) + 1, 1, 26);
    const int b = byteAt(image, image::kRpmGrid + image::kRpmGridColumns * (row - 1) + col - 1);
    return (b - 128) * 50.0 / 64.0;
}

int injectorCorrection(const QByteArray& image, int cylinder) {
    const int offset = cylinder == 1 ? image::kCorrection1 : image::kCorrections2to6 + cylinder - 2;
    return byteAt(image, offset) - 128;
}

// Petrol time in 0.1 ms that the engine needs at a manifold pressure in kPa.
int petrolTimeAt(int kPa) {
    return static_cast<int>(std::lround(8.0 + 22.0 * kPa / 35.0));
}

// A gas time in 0.1 ms learned before this session, with the factory map shape.
int factoryGasTime(int petrolTenths) {
    const double ms = petrolTenths / 10.0;
    const double m = 1.0 + 0.26 * (1.0 - std::exp(-(std::max(ms, 1.0) - 1.0) / 3.0));
    return static_cast<int>(std::lround(petrolTenths * m)) + 3;
}

// Sender voltage in 1/51 V for a tank filled to `fill` (0..1), by sender type code.
int senderReading(int type, double fill) {
    double empty = 0.4;  // 0-90 Ohm and HAL2 rise with the level
    double full = 3.2;
    switch (type) {
        case 2:  // 90-0 Ohm
            std::swap(empty, full);
            break;
        case 1:  // 0-50 kOhm
            empty = 0.6;
            full = 4.4;
            break;
        case 3:   // 50-0 kOhm
        case 33:  // HAL1
            empty = 4.4;
            full = 0.6;
            break;
        default:
            break;
    }
    return static_cast<int>(std::lround((empty + (full - empty) * fill) * 51.0));
}

constexpr double kTankFill = 0.55;
constexpr int kDeadTimeTenths = 3;  // gas injectors open slower than petrol ones
constexpr int kLearnedWalkStart = 20;
constexpr int kLearnedWalkStep = 3;
constexpr int kLearnedWalkPositions = 28;  // 20 .. 101 kPa
constexpr std::int64_t kLearnedWalkMs = 130;

}  // namespace

EngineModel::EngineModel(std::uint32_t seed) : seed_(seed) {
    // What earlier driving taught the controller: 20 .. 100 kPa on both fuels.
    for (int kPa = 20; kPa <= 100; ++kPa) {
        const int petrol = petrolTimeAt(kPa);
        petrolLearned_[static_cast<std::size_t>(kPa)] = static_cast<std::uint8_t>(petrol);
        gasLearned_[static_cast<std::size_t>(kPa)] =
            static_cast<std::uint8_t>(std::min(factoryGasTime(petrol), 255));
    }
}

int EngineModel::jitter(int channel, std::int64_t nowMs, int range) const {
    if (range <= 0) {
        return 0;
    }
    const std::uint64_t bucket = static_cast<std::uint64_t>(std::max<std::int64_t>(nowMs, 0)) / 100;
    const std::uint64_t h =
        splitMix(splitMix(seed_) ^ (static_cast<std::uint64_t>(channel) << 48) ^ bucket);
    return static_cast<int>(h % static_cast<std::uint64_t>(2 * range + 1)) - range;
}

void EngineModel::changeOver(std::uint8_t mode, std::uint8_t mask) {
    if (mode == 0x03) {
        gasMask_ = mask & 0x3F;
    } else if (mode == 0x02) {
        gasMask_ = 0;
    }
}

void EngineModel::clearLearned(std::uint8_t fuel) {
    if (fuel == 0x01) {
        petrolLearned_.fill(0);
    } else if (fuel == 0x02) {
        gasLearned_.fill(0);
    }
}

void EngineModel::setActiveErrors(std::uint8_t flags50, std::uint8_t flags51,
                                  std::uint8_t injectors) {
    errors50_ = flags50;
    errors51_ = flags51;
    injectorErrors_ = injectors;
}

QByteArray EngineModel::liveFrame(const QByteArray& image, std::int64_t nowMs) {
    const std::int64_t t = std::max<std::int64_t>(nowMs, 0);
    const double seconds = static_cast<double>(t) / 1000.0;
    QByteArray f(kFrameLength, '\0');
    f[3] = static_cast<char>(wire::kCmdPoll);

    const int cylinders = std::clamp(byteAt(image, image::kCylinders) + 1, 1, 6);
    const std::uint8_t configured = static_cast<std::uint8_t>((1u << cylinders) - 1u);
    const std::uint8_t onGas = gasMask_ & configured;

    const int rpm = kIdleRpm + jitter(1, t, 25);
    const double reducer =
        kWarmReducerTemp - (kWarmReducerTemp - kColdTemp) * std::exp(-seconds / 120.0);
    const double gasTemp = kWarmGasTemp - (kWarmGasTemp - kColdTemp) * std::exp(-seconds / 180.0);
    const int manifold = 35 + jitter(2, t, 1);

    put(f, 4, byteAt(image, wire::kLiveCheckOffset));
    put(f, 5, 0x01);  // ignition on
    put(f, 6, onGas != 0 ? 0x01 : 0x00);
    put(f, 8, onGas);

    std::array<int, 7> petrol{};
    std::array<int, 7> gas{};
    for (int c = 1; c <= cylinders; ++c) {
        petrol[static_cast<std::size_t>(c)] = petrolTimeAt(manifold) + jitter(10 + c, t, 1);
        putWordLe(f, 10 + 2 * (c - 1), petrol[static_cast<std::size_t>(c)]);
        if ((onGas & (1u << (c - 1))) == 0) {
            continue;
        }
        const int p = petrol[static_cast<std::size_t>(c)];
        const double g = p * mapMultiplier(image, p) *
                         (1.0 + injectorCorrection(image, c) / 128.0) *
                         (1.0 + temperatureCorrection(image, gasTemp) / 100.0) *
                         (1.0 + rpmCorrection(image, rpm, p) / 100.0);
        gas[static_cast<std::size_t>(c)] = static_cast<int>(std::lround(g)) + kDeadTimeTenths;
        putWordLe(f, 26 + 2 * (c - 1), gas[static_cast<std::size_t>(c)]);
    }

    put(f, 42, rpm / 100);
    put(f, 43, rpm % 100);
    putWordBe(f, 44, 120 + jitter(3, t, 2));  // 1.20 bar over the manifold
    putWordBe(f, 46, manifold);
    putSigned(f, 48, static_cast<int>(std::lround(reducer)));
    putSigned(f, 49, static_cast<int>(std::lround(gasTemp)));
    f[50] = static_cast<char>(errors50_);
    f[51] = static_cast<char>(errors51_);
    f[52] = static_cast<char>(injectorErrors_);
    put(f, 54, 214 + jitter(4, t, 1));  // 13.8 V

    // The sender reports a tank a little over half full on the scale of its type; the level
    // steps are wherever the fitter put the thresholds, rising or falling with the voltage.
    const int sender =
        senderReading(byteAt(image, image::kLevelSensorType), kTankFill) + jitter(5, t, 1);
    std::array<int, 4> thresholds{};
    for (int i = 0; i < 4; ++i) {
        thresholds[static_cast<std::size_t>(i)] = byteAt(image, image::kLevelThresholds + i);
    }
    const bool rising = thresholds[0] <= thresholds[3];
    int level = 0;
    for (int th : thresholds) {
        if (rising ? sender >= th : sender <= th) {
            ++level;
        }
    }
    put(f, 55, sender);
    put(f, 56, level);

    // Narrow-band probes switching between lean (0.1 V) and rich (0.9 V).
    auto lambda = [seconds](double phase) {
        const double s = std::sin(2.0 * std::numbers::pi * (seconds / 1.6 + phase));
        return 0.5 + 0.4 * std::tanh(4.0 * s);
    };
    put(f, 57, static_cast<int>(std::lround(lambda(0.0) / 0.0196)));
    put(f, 58, static_cast<int>(std::lround(lambda(0.25) / 0.0196)));

    const int c5 = jitter(6, t, 2);
    put(f, 59, 100 + (c5 == -2 ? -1 : (c5 == 2 ? 1 : 0)));

    // Learn where the engine runs now, then report a window of the learned tables.
    petrolLearned_[static_cast<std::size_t>(manifold)] = static_cast<std::uint8_t>(petrol[1]);
    if (gas[1] > 0) {
        gasLearned_[static_cast<std::size_t>(manifold)] =
            static_cast<std::uint8_t>(std::min(gas[1], 255));
    }
    const int p = kLearnedWalkStart +
                  kLearnedWalkStep * static_cast<int>((t / kLearnedWalkMs) % kLearnedWalkPositions);
    auto pl = [this](int i) { return petrolLearned_[static_cast<std::size_t>(std::min(i, 255))]; };
    auto gl = [this](int i) { return gasLearned_[static_cast<std::size_t>(std::min(i, 255))]; };
    put(f, 60, p);
    put(f, 61, pl(p));
    put(f, 62, pl(p));
    put(f, 63, pl(p + 1));
    put(f, 64, pl(p + 1));
    put(f, 65, pl(p + 2));
    put(f, 66, gl(p + 2));
    put(f, 67, gl(p + 3));
    put(f, 68, gl(p + 3));
    put(f, 69, gl(p + 4));
    put(f, 70, gl(p + 4));
    put(f, 71, 3);  // both curves
    put(f, 72, 18 + jitter(7, t, 1));

    sealFrame(f);
    return f;
}

}  // namespace omvi::sim
