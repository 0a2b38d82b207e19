#include "sim/ecu_simulator.h"

#include <algorithm>
#include <optional>

#include "link/bytes.h"
#include "link/frame_coding.h"
#include "link/wire_constants.h"
#include "sim/config_images.h"
#include "sim/engine_model.h"
#include "sim/request_parser.h"

namespace omvi::sim {
namespace {

// Command codes the controller acts on beyond acknowledging them.
enum Code : std::uint8_t {
    kFuelChangeOver = 0x03,
    kAdaptationEnd = 0x05,
    kPulseSource = 0x0A,
    kMapWrite = 0x0B,
    kLevelCalibration = 0x0D,
    kInjectorType = 0x0E,
    kTempToGas = 0x0F,
    kClearErrors = 0x10,
    kPressureSensor = 0x12,
    kReducerTempSensor = 0x13,
    kGasTempSensor = 0x18,
    kBlockWrite = 0x1A,
    kCylinders = 0x1B,
    kMinPressure = 0x1E,
    kPressureErrorDelay = 0x1F,
    kEngineType = 0x21,
    kSwitchTime = 0x22,
    kCylinderDelay = 0x23,
    kInjectorParamA = 0x24,
    kFactoryReset = 0x26,
    kPressureSensorFollowUp = 0x27,
    kMapLock = 0x29,
    kClearLearned = 0x2A,
    kWorkingPressure = 0x2B,
    kInjectorsPlus = 0x2D,
    kFirstDrop = 0x2E,
    kInjectorParamB = 0x30,
    kCalibrationMode = 0x31,
    kFuelType = 0x33,
    kCorrections = 0x35,
    kMinGasTemp = 0x37,
    kInjectorParamC = 0x38,
    kRpmSignal = 0x3A,
    kCountersWrite = 0x3B,
    kCountersRead = 0x3C,
    kRpmGrid = 0x3E,
    kTempCurve = 0x3F,
    kRpmToGas = 0x40,
    kRpmMax = 0x41,
    kRpmMin = 0x42,
    kFullGroup = 0x43,
    kInjectorParamD = 0x44,
    kHeating = 0x45,
    kMinInjection = 0x46,
    kMazda = 0x4A,
    kBanks = 0x51,
    kIdentify = 0x66,
    kPoll = 0x99,
};

// Single parameter byte stored as it comes.
struct ByteField {
    std::uint8_t code;
    int offset;
};
constexpr ByteField kByteFields[] = {
    {kPulseSource, image::kPulseSource},
    {kRpmSignal, image::kRpmSignalLevel},
    {kWorkingPressure, image::kWorkingPressure},
    {kMinPressure, image::kMinPressure},
    {kPressureSensor, image::kPressureSensor},
    {kPressureSensorFollowUp, image::kPressureSensor},
    {kReducerTempSensor, image::kReducerTempSensor},
    {kGasTempSensor, image::kGasTempSensor},
    {kMinGasTemp, image::kMinGasTemp},
    {kPressureErrorDelay, image::kPressureErrorDelay},
    {kTempToGas, image::kTempToGas},
    {kCylinderDelay, image::kCylinderDelay},
    {kInjectorType, image::kInjectorType},
    {kInjectorParamA, image::kInjectorParams + 0},
    {kInjectorParamB, image::kInjectorParams + 1},
    {kInjectorParamC, image::kInjectorParams + 2},
    {kInjectorParamD, image::kInjectorParams + 3},
    {kFullGroup, image::kFullGroup},
    {kMinInjection, image::kMinInjection},
    {kMazda, image::kMazda},
    {kCylinders, image::kCylinders},
};

// On/off parameter kept as one bit of a flag byte.
struct BitField {
    std::uint8_t code;
    int offset;
    int bit;
};
constexpr BitField kBitFields[] = {
    {kEngineType, image::kFlags356, 3}, {kInjectorsPlus, image::kFlags356, 7},
    {kMapLock, image::kFlags356, 6},    {kFirstDrop, image::kFlags634, 0},
    {kFuelType, image::kFlags634, 1},   {kHeating, image::kFlags634, 3},
};

// Engine speeds as hundreds and remainder in two separate bytes.
struct SpeedField {
    std::uint8_t code;
    int hundreds;
    int remainder;
};
constexpr SpeedField kSpeedFields[] = {
    {kRpmToGas, image::kRpmToGasHundreds, image::kRpmToGasRemainder},
    {kRpmMax, image::kRpmMaxHundreds, image::kRpmMaxRemainder},
    {kRpmMin, image::kRpmMinHundreds, image::kRpmMinRemainder},
};

constexpr int kMapWriteFirstPoint = 11;  // parameters 1..10 are the table below 1.0 ms

}  // namespace

struct EcuSimulator::Impl {
    SimOptions options;
    FirmwareVersion version{5, 10, 11};
    Generation generation = Generation::Gen51011;
    QByteArray image;  // sealed on the way out
    EngineModel engine;
    RequestParser parser;
    QList<QByteArray> received;
    int polls = 0;
    int answers = 0;
    int requestsSinceFaults = 0;
    int answersSinceFaults = 0;

    explicit Impl(SimOptions o) : options(std::move(o)), engine(options.seed) {
        if (const auto parsed = parseFirmware(options.firmware)) {
            version = *parsed;
        }
        generation = generationOf(version);
        image = defaultImage(version);
    }

    // Writes `bytes` into the image from `offset`, never into the header or the sum.
    void write(int offset, const QByteArray& bytes) {
        const qsizetype dataEnd = image.size() - 1;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const qsizetype at = offset + i;
            if (at >= 4 && at < dataEnd) {
                image[at] = bytes.at(i);
            }
        }
    }
    void writeByte(int offset, std::uint8_t value) {
        write(offset, QByteArray(1, static_cast<char>(value)));
    }

    QByteArray counters() const {
        QByteArray record = image.mid(image::kCounters, image::kCountersSpan);
        record.append(static_cast<char>(byteAt(image, image::kCountersLast)));
        return record;
    }

    QByteArray sealedImage(std::uint8_t echo) const {
        QByteArray frame = image;
        frame[3] = static_cast<char>(echo);
        sealFrame(frame);
        return frame;
    }

    void apply(const QByteArray& cmd);
    std::optional<QByteArray> answer(const QByteArray& cmd, std::int64_t nowMs);
    QList<QByteArray> deliver(QByteArray plain, std::uint8_t code);
};

void EcuSimulator::Impl::apply(const QByteArray& cmd) {
    const std::uint8_t code = byteAt(cmd, 0);
    const qsizetype params = cmd.size() - 1;
    auto param = [&cmd](int i) { return byteAt(cmd, i); };

    for (const ByteField& f : kByteFields) {
        if (f.code == code && params >= 1) {
            writeByte(f.offset, param(1));
            return;
        }
    }
    for (const BitField& f : kBitFields) {
        if (f.code == code && params >= 1) {
            std::uint8_t v = byteAt(image, f.offset);
            v = param(1) != 0 ? (v | (1u << f.bit)) : (v & ~(1u << f.bit));
            writeByte(f.offset, v);
            return;
        }
    }
    for (const SpeedField& f : kSpeedFields) {
        if (f.code == code && params >= 2) {
            writeByte(f.hundreds, param(1));
            writeByte(f.remainder, param(2));
            return;
        }
    }

    switch (code) {
        case kSwitchTime: {
            // 3.7.7 takes half seconds in one byte; the later firmwares high byte first.
            if (params < 1) {
                return;
            }
            const bool oneByte = generation == Generation::Gen377 || params == 1;
            const std::uint8_t high = oneByte ? 0 : param(1);
            const std::uint8_t low = oneByte ? param(1) : param(2);
            writeByte(image::kSwitchTimeLow, low);
            writeByte(image::kSwitchTimeHigh, high);
            if (generation == Generation::Gen5911) {
                writeByte(image::kSwitchTimeHighGen5911, high);
            }
            return;
        }
        case kCorrections:  // six corrections; the two trailing 0x80 are padding
            for (int c = 1; c <= 6 && c <= params; ++c) {
                writeByte(c == 1 ? image::kCorrection1 : image::kCorrections2to6 + c - 2, param(c));
            }
            return;
        case kBanks:
            if (params >= 1) {
                writeByte(image::kBanks,
                          static_cast<std::uint8_t>((byteAt(image, image::kBanks) & 0xC0) |
                                                    (param(1) & 0x3F)));
            }
            return;
        case kLevelCalibration:  // four thresholds, then the sender type
            write(image::kLevelThresholds, cmd.mid(1, 5));
            return;
        case kCalibrationMode:
            if (params >= 1) {
                engine.setCalibrationMode(param(1) != 0);
            }
            return;
        case kMapWrite:
            write(image::kMap, cmd.mid(kMapWriteFirstPoint, image::kMapPoints));
            return;
        case kTempCurve:  // points with their middle values; two trailing bytes unused
            write(image::kTempCurve, cmd.mid(1, image::kTempCurveLength));
            return;
        case kRpmGrid:
            write(image::kRpmGrid, cmd.mid(1, image::kRpmGridRows * image::kRpmGridColumns));
            return;
        case kClearLearned:
            if (params >= 1) {
                engine.clearLearned(param(1));
            }
            return;
        case kClearErrors:
            if (params >= 1 && param(1) == 0x00) {
                write(registerStart(generation),
                      QByteArray(registerOwnLength(generation), static_cast<char>(0xFF)));
                engine.clearActiveErrors();
            }
            return;
        case kBlockWrite:
            write(blockWriteOffset(generation), cmd.mid(1));
            return;
        case kCountersWrite: {
            const QByteArray record = cmd.mid(1, image::kCountersRecordLength);
            write(image::kCounters, record.left(image::kCountersSpan));
            if (record.size() > image::kCountersSpan) {
                writeByte(image::kCountersLast, byteAt(record, image::kCountersSpan));
            }
            return;
        }
        case kFuelChangeOver:
            if (params >= 2) {
                engine.changeOver(param(1), param(2));
            }
            return;
        case kFactoryReset: {
            // Settings go back to the factory's; the operating history stays.
            const QByteArray history = counters();
            image = defaultImage(version);
            write(image::kCounters, history.left(image::kCountersSpan));
            writeByte(image::kCountersLast, byteAt(history, image::kCountersSpan));
            return;
        }
        default:
            return;  // acknowledged only
    }
}

std::optional<QByteArray> EcuSimulator::Impl::answer(const QByteArray& cmd, std::int64_t nowMs) {
    const std::uint8_t code = byteAt(cmd, 0);
    switch (code) {
        case kIdentify:
        case kFactoryReset:
        case kAdaptationEnd:
            return sealedImage(code);
        case kCountersWrite:
        case kCountersRead:
            return link::makeAnswer(code, counters());
        case kPoll:
            return engine.liveFrame(sealedImage(kIdentify), nowMs);
        default:
            return link::makeAnswer(code, {});
    }
}

QList<QByteArray> EcuSimulator::Impl::deliver(QByteArray plain, std::uint8_t code) {
    const FaultOptions& f = options.faults;
    const int n = ++requestsSinceFaults;
    if (f.silentAfter >= 0 && answersSinceFaults >= f.silentAfter) {
        return {};
    }
    if (f.dropEveryNth > 0 && n % f.dropEveryNth == 0) {
        return {};
    }
    if (f.wrongEchoEveryNth > 0 && n % f.wrongEchoEveryNth == 0 && plain.size() > 4) {
        plain[3] = static_cast<char>(byteAt(plain, 3) + 1);
        sealFrame(plain);
    }
    if (f.corruptSumEveryNth > 0 && n % f.corruptSumEveryNth == 0 && !plain.isEmpty()) {
        plain[plain.size() - 1] = static_cast<char>(byteAt(plain, plain.size() - 1) + 1);
    }
    ++answers;
    ++answersSinceFaults;
    const QByteArray wireBytes = link::encodeAnswerBytes(plain, code);
    if (f.chunkSize <= 0) {
        return {wireBytes};
    }
    QList<QByteArray> chunks;
    for (qsizetype at = 0; at < wireBytes.size(); at += f.chunkSize) {
        chunks.append(wireBytes.mid(at, f.chunkSize));
    }
    return chunks;
}

EcuSimulator::EcuSimulator(SimOptions options) : d_(std::make_unique<Impl>(std::move(options))) {}

EcuSimulator::~EcuSimulator() = default;

QList<QByteArray> EcuSimulator::receive(const QByteArray& wireBytes, std::int64_t nowMs) {
    QList<QByteArray> out;
    for (const QByteArray& payload : d_->parser.feed(wireBytes)) {
        // 0xF0, command, sum: the parser has checked both ends.
        const QByteArray cmd = payload.mid(1, payload.size() - 2);
        const std::uint8_t code = byteAt(cmd, 0);
        if (code == kPoll) {
            ++d_->polls;
        } else {
            d_->received.append(cmd);
        }
        d_->apply(cmd);
        if (const auto plain = d_->answer(cmd, nowMs)) {
            out.append(d_->deliver(*plain, code));
        }
    }
    return out;
}

QByteArray EcuSimulator::configImage() const {
    return d_->sealedImage(kIdentify);
}

QByteArray EcuSimulator::liveFrame(std::int64_t nowMs) {
    return d_->engine.liveFrame(d_->sealedImage(kIdentify), nowMs);
}

QByteArray EcuSimulator::countersRecord() const {
    return d_->counters();
}

const QList<QByteArray>& EcuSimulator::receivedCommands() const {
    return d_->received;
}

int EcuSimulator::pollsReceived() const {
    return d_->polls;
}

int EcuSimulator::answersSent() const {
    return d_->answers;
}

int EcuSimulator::requestsRejected() const {
    return d_->parser.rejected();
}

void EcuSimulator::setFaults(const FaultOptions& faults) {
    d_->options.faults = faults;
    d_->requestsSinceFaults = 0;
    d_->answersSinceFaults = 0;
}

void EcuSimulator::setImageBytes(int offset, const QByteArray& bytes) {
    d_->write(offset, bytes);
}

void EcuSimulator::setActiveErrors(std::uint8_t flags50, std::uint8_t flags51,
                                   std::uint8_t injectors) {
    d_->engine.setActiveErrors(flags50, flags51, injectors);
}

std::uint8_t EcuSimulator::gasMask() const {
    return d_->engine.gasMask();
}

bool EcuSimulator::calibrationMode() const {
    return d_->engine.calibrationMode();
}

QByteArray EcuSimulator::learnedPetrol() const {
    const auto& t = d_->engine.petrolLearned();
    return QByteArray(reinterpret_cast<const char*>(t.data()), static_cast<qsizetype>(t.size()));
}

QByteArray EcuSimulator::learnedGas() const {
    const auto& t = d_->engine.gasLearned();
    return QByteArray(reinterpret_cast<const char*>(t.data()), static_cast<qsizetype>(t.size()));
}

}  // namespace omvi::sim
