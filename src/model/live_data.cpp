#include "model/live_data.h"

#include <QJsonValue>
#include <functional>
#include <vector>

#include "link/bytes.h"
#include "model/number_format.h"

namespace omvi::model {

namespace {

constexpr double kLambdaVoltsPerStep = 0.0196;
constexpr double kTankVoltsPerStep = 0.0196;

int signedByte(std::uint8_t b) {
    return b < 128 ? b : b - 256;
}

// The three error bytes are active low: a byte the frame does not hold reports nothing.
std::uint8_t flagByte(const QByteArray& frame, int offset) {
    return offset < frame.size() ? byteAt(frame, offset) : 0xFF;
}

}  // namespace

bool acceptable(const QByteArray& frame, std::uint8_t liveCheckByte) {
    return frame.size() >= 6 && byteAt(frame, 4) == liveCheckByte;
}

LiveData decodeLiveFrame(const QByteArray& frame) {
    LiveData d;
    d.complete = frame.size() >= LiveData::kFullLength;
    d.ignitionOn = (byteAt(frame, 5) & 0x01) != 0;
    d.onGas = (byteAt(frame, 6) & 0x01) != 0;
    d.cylinderBits = byteAt(frame, 8) & 0x3F;
    for (int k = 0; k < 6; ++k) {
        d.petrolMs[static_cast<std::size_t>(k)] = wordLe(frame, 10 + 2 * k) / 10.0;
        d.gasMs[static_cast<std::size_t>(k)] = wordLe(frame, 26 + 2 * k) / 10.0;
    }
    d.rpm = byteAt(frame, 42) * 100 + byteAt(frame, 43);
    d.rpmThousands = d.rpm / 1000.0;
    // Hundreds and units of 0.01 bar (or of kPa) are a big-endian word; reading it as one keeps
    // the shown value free of the noise of the scaled sum.
    d.gasPressureBar = wordBe(frame, 44) / 100.0;
    d.manifoldKpa = wordBe(frame, 46);
    d.reducerTempC = signedByte(byteAt(frame, 48));
    d.gasTempC = signedByte(byteAt(frame, 49));
    d.errorFlags50 = flagByte(frame, 50);
    d.errorFlags51 = flagByte(frame, 51);
    d.injectorErrorFlags = flagByte(frame, 52);
    // The readout shows two decimals, and the value kept is the one shown.
    const double battery = byteAt(frame, 54) * 23.0 / 375.0 + 0.7;
    d.batteryVolts = parseNumber(formatFixed(battery, 4, 2)).value_or(battery);
    d.tankSensorVolts = byteAt(frame, 55) * kTankVoltsPerStep;
    d.tankLevel = byteAt(frame, 56);
    d.lambda1RawVolts = byteAt(frame, 57) * kLambdaVoltsPerStep;
    d.lambda2RawVolts = byteAt(frame, 58) * kLambdaVoltsPerStep;
    d.lambda1Volts = d.ignitionOn ? d.lambda1RawVolts : 0.0;
    d.lambda2Volts = d.ignitionOn ? d.lambda2RawVolts : 0.0;
    d.adaptationCorrection = byteAt(frame, 59);
    d.samplePressureKpa = byteAt(frame, 60);
    for (int i = 0; i < 10; ++i) {
        d.sampleBytes[static_cast<std::size_t>(i)] = byteAt(frame, 61 + i);
    }
    d.curveMode = byteAt(frame, 71);
    d.engineLoadPercent = byteAt(frame, 72);
    return d;
}

QString gasCorrectionLabel(double g, double p, int k1, int kk, double previousBarValue,
                           const QLocale& locale) {
    double r = p > 0 ? 128.0 * g / (p * (k1 * 100.0 / 128.0 + 128.0)) : 0.0;
    r = r / (k1 / 1100.0 + 1.0);
    if (kk == 0 || previousBarValue == 0) {
        return QString();
    }
    return formatFixed(p * r * kk / 128.0, 2, 2, locale);
}

TankLeds tankLeds(int tankLevel) {
    TankLeds leds;
    leds.reserve = tankLevel == 0;
    for (int n = 1; n <= 3; ++n) {
        leds.level[static_cast<std::size_t>(n - 1)] = tankLevel >= n;
    }
    leds.level[3] = tankLevel == 4;
    return leds;
}

QString tankVoltageText(double volts, const QLocale& locale) {
    return formatFixed(volts, 3, 2, locale);
}

void placeLearnedSamples(const LiveData& data, SampleTable& petrol, SampleTable& gas) {
    const int p = data.samplePressureKpa;
    const auto sample = [&](int offset) {
        return data.sampleBytes[static_cast<std::size_t>(offset - 61)];
    };
    const auto put = [](SampleTable& table, int position, std::uint8_t value) {
        if (position >= 0 && position < static_cast<int>(table.size())) {
            table[static_cast<std::size_t>(position)] = value;
        }
    };
    put(petrol, p, sample(62));
    put(petrol, p + 1, sample(64));
    put(petrol, p + 2, sample(65));
    put(gas, p + 2, sample(66));
    put(gas, p + 3, sample(68));
    put(gas, p + 4, sample(70));
}

std::optional<GridCell> operatingPointCell(double rpm, double petrolMsCylinder1) {
    const std::int64_t speed = roundHalfEven(rpm);
    if (speed > 6000) {
        return std::nullopt;
    }
    const std::int64_t row = 13 - roundHalfEven(static_cast<double>(speed) / 500.0);
    const std::int64_t column = roundHalfEven(petrolMsCylinder1) + 1;
    if (column > 26 || row < 1 || row > 13 || column < 1) {
        return std::nullopt;
    }
    return GridCell{static_cast<int>(column), static_cast<int>(row)};
}

namespace {

struct ExportField {
    QString name;
    int decimals;  // -1: a flag
    std::function<double(const LiveData&)> value;
};

const std::vector<ExportField>& exportFields() {
    static const std::vector<ExportField> fields = [] {
        std::vector<ExportField> f;
        const auto flag = [&f](const QString& name, std::function<bool(const LiveData&)> get) {
            f.push_back({name, -1, [get](const LiveData& d) { return get(d) ? 1.0 : 0.0; }});
        };
        const auto num = [&f](const QString& name, int decimals,
                              std::function<double(const LiveData&)> get) {
            f.push_back({name, decimals, std::move(get)});
        };
        flag(QStringLiteral("complete"), [](const LiveData& d) { return d.complete; });
        flag(QStringLiteral("ignition"), [](const LiveData& d) { return d.ignitionOn; });
        flag(QStringLiteral("on_gas"), [](const LiveData& d) { return d.onGas; });
        num(QStringLiteral("rpm"), 0, [](const LiveData& d) { return d.rpm; });
        num(QStringLiteral("map_kpa"), 0, [](const LiveData& d) { return d.manifoldKpa; });
        num(QStringLiteral("p1_bar"), 2, [](const LiveData& d) { return d.gasPressureBar; });
        num(QStringLiteral("temp_reducer_c"), 0, [](const LiveData& d) { return d.reducerTempC; });
        num(QStringLiteral("temp_gas_c"), 0, [](const LiveData& d) { return d.gasTempC; });
        num(QStringLiteral("battery_v"), 2, [](const LiveData& d) { return d.batteryVolts; });
        num(QStringLiteral("lambda1_v"), 4, [](const LiveData& d) { return d.lambda1Volts; });
        num(QStringLiteral("lambda2_v"), 4, [](const LiveData& d) { return d.lambda2Volts; });
        num(QStringLiteral("tank_sensor_v"), 4,
            [](const LiveData& d) { return d.tankSensorVolts; });
        num(QStringLiteral("tank_level"), 0, [](const LiveData& d) { return d.tankLevel; });
        num(QStringLiteral("cylinders"), 0, [](const LiveData& d) { return d.cylinderBits; });
        for (int k = 0; k < 6; ++k) {
            const auto i = static_cast<std::size_t>(k);
            num(QStringLiteral("petrol_ms_%1").arg(k + 1), 1,
                [i](const LiveData& d) { return d.petrolMs[i]; });
        }
        for (int k = 0; k < 6; ++k) {
            const auto i = static_cast<std::size_t>(k);
            num(QStringLiteral("gas_ms_%1").arg(k + 1), 1,
                [i](const LiveData& d) { return d.gasMs[i]; });
        }
        num(QStringLiteral("error_flags_50"), 0, [](const LiveData& d) { return d.errorFlags50; });
        num(QStringLiteral("error_flags_51"), 0, [](const LiveData& d) { return d.errorFlags51; });
        num(QStringLiteral("injector_error_flags"), 0,
            [](const LiveData& d) { return d.injectorErrorFlags; });
        num(QStringLiteral("correction"), 0,
            [](const LiveData& d) { return d.adaptationCorrection; });
        num(QStringLiteral("sample_pressure_kpa"), 0,
            [](const LiveData& d) { return d.samplePressureKpa; });
        for (int k = 0; k < 10; ++k) {
            const auto i = static_cast<std::size_t>(k);
            num(QStringLiteral("sample_%1").arg(61 + k), 0,
                [i](const LiveData& d) { return d.sampleBytes[i]; });
        }
        num(QStringLiteral("curve_mode"), 0, [](const LiveData& d) { return d.curveMode; });
        num(QStringLiteral("load_pct"), 0, [](const LiveData& d) { return d.engineLoadPercent; });
        return f;
    }();
    return fields;
}

}  // namespace

QStringList liveFieldNames() {
    QStringList names;
    for (const auto& f : exportFields()) {
        names << f.name;
    }
    return names;
}

QJsonObject liveDataToJson(const LiveData& data) {
    QJsonObject object;
    for (const auto& f : exportFields()) {
        const double v = f.value(data);
        if (f.decimals < 0) {
            object.insert(f.name, v != 0);
        } else {
            object.insert(f.name, formatFixed(v, 17, f.decimals).toDouble());
        }
    }
    return object;
}

QString liveCsvHeader() {
    return liveFieldNames().join(QLatin1Char(','));
}

QString liveDataToCsvRow(const LiveData& data) {
    QStringList cells;
    for (const auto& f : exportFields()) {
        cells << formatFixed(f.value(data), 17, std::max(f.decimals, 0));
    }
    return cells.join(QLatin1Char(','));
}

}  // namespace omvi::model
