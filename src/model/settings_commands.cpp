#include "model/settings_commands.h"

#include <cmath>
#include <type_traits>

#include "link/bytes.h"
#include "model/code_tables.h"
#include "model/firmware_variant.h"
#include "model/number_format.h"

namespace omvi::model {

static_assert(std::is_same_v<link::Commands, std::array<QByteArray, 5>>);

namespace {

constexpr int kRpmSignalRetry = 9;
constexpr int kInjectorTypeRetry = 10;

QByteArray cmd(std::initializer_list<std::int64_t> values) {
    QByteArray out;
    for (std::int64_t v : values) {
        out.append(static_cast<char>(low8(v)));
    }
    return out;
}

SettingCommand single(QByteArray command) {
    SettingCommand c;
    c.commands[0] = std::move(command);
    return c;
}

SettingCommand oneByte(int code, std::int64_t parameter) {
    return single(cmd({code, parameter}));
}

// Engine speeds go as hundreds and the remainder of the rounded value.
SettingCommand speed(int code, double rpm) {
    const auto hundreds = static_cast<std::int64_t>(std::trunc(rpm / 100.0));
    const std::int64_t remainder = roundHalfEven(rpm) % 100;
    return single(cmd({code, hundreds, remainder}));
}

bool within(int item, qsizetype count) {
    return item >= 0 && item < count;
}

}  // namespace

std::optional<SettingCommand> impulseCommand(int item) {
    if (!within(item, impulseItems().size())) {
        return std::nullopt;
    }
    return oneByte(0x0A, item);
}

SettingCommand rpmSignalCommand(double volts) {
    // The spinner holds single precision, and the byte is computed from that value.
    const auto held = static_cast<double>(static_cast<float>(volts));
    const std::uint8_t p = low8(roundHalfEven(held * 1.7 * 10.0));
    SettingCommand c;
    if (p >= 197 && p <= 199) {
        // The controller does not take these three levels directly.
        c.commands[0] = cmd({0x3A, 0xC7});
        c.commands[1] = cmd({0x3A, 0xC5});
    } else {
        c.commands[0] = cmd({0x3A, p});
    }
    c.retryCount = kRpmSignalRetry;
    return c;
}

std::optional<SettingCommand> engineTypeCommand(int item) {
    if (!within(item, engineTypeItems().size())) {
        return std::nullopt;
    }
    return oneByte(0x21, item);
}

SettingCommand injectorsPlusCommand(bool checked) {
    return oneByte(0x2D, checked ? 1 : 0);
}

SettingCommand switchAtFirstDropCommand(bool checked) {
    return oneByte(0x2E, checked ? 1 : 0);
}

SettingCommand workPressureCommand(double bar) {
    return oneByte(0x2B, roundHalfEven(bar * 100));
}

SettingCommand minPressureCommand(double bar) {
    return oneByte(0x1E, roundHalfEven(bar * 100));
}

SettingCommand pressureSensorCommand() {
    SettingCommand c;
    c.commands[0] = cmd({0x12, kPressureSensorCode});
    c.commands[1] = cmd({0x27, kPressureSensorCode});
    return c;
}

std::optional<SettingCommand> reducerSensorCommand(int item) {
    if (!within(item, static_cast<qsizetype>(temperatureSensors().size()))) {
        return std::nullopt;
    }
    return oneByte(0x13, temperatureSensors()[static_cast<std::size_t>(item)].code);
}

std::optional<SettingCommand> gasSensorCommand(int item) {
    if (!within(item, static_cast<qsizetype>(temperatureSensors().size()))) {
        return std::nullopt;
    }
    return oneByte(0x18, temperatureSensors()[static_cast<std::size_t>(item)].code);
}

SettingCommand fuelTypeCommand(bool cng) {
    SettingCommand c = oneByte(0x33, cng ? 1 : 0);
    // Not set: the budget stays as the last acknowledged answer left it.
    c.retryCount.reset();
    return c;
}

SettingCommand minTempPetrolCommand(double celsius) {
    const std::int64_t p = celsius >= 0 ? roundHalfEven(celsius) : roundHalfEven(celsius + 256);
    return oneByte(0x37, p);
}

SettingCommand rpmMinToPetrolCommand(double rpm) {
    return speed(0x42, rpm);
}

SettingCommand pressureErrorDelayCommand(double ms) {
    return oneByte(0x1F, roundHalfEven(ms / 10));
}

SettingCommand rpmMaxToPetrolCommand(double rpm) {
    return speed(0x41, rpm);
}

SettingCommand gasTemperatureCommand(double celsius) {
    return oneByte(0x0F, roundHalfEven(celsius));
}

SettingCommand rpmToGasCommand(double rpm) {
    return speed(0x40, rpm);
}

std::optional<SettingCommand> switchOverTimeCommand(double seconds, const QString& variant) {
    const std::int64_t halfSeconds = roundHalfEven(seconds * 2);
    if (variant == kVariant1) {
        return oneByte(0x22, halfSeconds);
    }
    if (variant == kVariant2 || variant == kVariant3) {
        return single(cmd({0x22, halfSeconds >> 8, halfSeconds}));
    }
    return std::nullopt;
}

SettingCommand cylinderSequenceCommand(double ms) {
    return oneByte(0x23, roundHalfEven(ms / 10));
}

std::optional<SettingCommand> injectorTypeCommand(int item) {
    if (!within(item, static_cast<qsizetype>(injectorTypes().size()))) {
        return std::nullopt;
    }
    const InjectorType& t = injectorTypes()[static_cast<std::size_t>(item)];
    SettingCommand c;
    c.commands = {cmd({0x0E, t.code}), cmd({0x24, t.a}), cmd({0x30, t.b}), cmd({0x38, t.c}),
                  cmd({0x44, t.d})};
    c.retryCount = kInjectorTypeRetry;
    c.imageEdits.push_back({367, t.code});
    return c;
}

SettingCommand fullGroupCommand(bool checked) {
    return oneByte(0x43, checked ? 2 : 0);
}

SettingCommand injectorHeatingCommand(bool checked) {
    return oneByte(0x45, checked ? 1 : 0);
}

SettingCommand minInjectionTimeCommand(double ms) {
    return oneByte(0x46, roundHalfEven(ms * 10));
}

SettingCommand mazdaCommand(double value) {
    return oneByte(0x4A, roundHalfEven(128 - value * 1.28));
}

std::optional<SettingCommand> cylinderCountCommand(int item) {
    if (!within(item, cylinderItems().size())) {
        return std::nullopt;
    }
    const int n = item + 2;  // cylinders minus one
    SettingCommand c = oneByte(0x1B, n);
    c.imageEdits.push_back({344, static_cast<std::uint8_t>(n)});
    c.cylinderMask = maskForCylinders(n + 1);
    return c;
}

std::uint8_t ledMask(const std::array<bool, 6>& checked) {
    std::uint8_t mask = 0;
    for (int k = 0; k < 6; ++k) {
        if (checked[static_cast<std::size_t>(k)]) {
            mask = static_cast<std::uint8_t>(mask | (1 << k));
        }
    }
    return mask;
}

SettingCommand fuelChangeOverCommand(bool switchShowsGas, std::uint8_t mask) {
    return single(cmd({0x03, switchShowsGas ? 0x02 : 0x03, mask}));
}

SettingCommand adaptationChangeOverCommand(int adaptStep, std::uint8_t cylinderMask) {
    SettingCommand c;
    if (adaptStep == 0) {
        c.commands[0] = cmd({0x25});
        c.commands[1] = cmd({0x03, 0x02, cylinderMask});
    } else {
        c.commands[0] = cmd({0x03, 0x02, cylinderMask});
    }
    return c;
}

SettingCommand correctionsCommand(const std::array<double, 6>& corrections) {
    QByteArray payload = cmd({0x35});
    for (double k : corrections) {
        payload.append(static_cast<char>(low8(roundHalfEven(k) + 128)));
    }
    payload.append(cmd({0x80, 0x80}));
    return single(payload);
}

SettingCommand banksCommand(const std::array<int, 6>& bankItems) {
    int f = 0xC0;
    for (int k = 0; k < 6; ++k) {
        if (bankItems[static_cast<std::size_t>(k)] == 0) {
            f |= 1 << k;
        }
    }
    return oneByte(0x51, f);
}

SettingCommand levelEnterCommand() {
    return oneByte(0x31, 0x01);
}

std::optional<SettingCommand> levelThresholdsCommand(const std::array<double, 4>& volts,
                                                     int sensorItem) {
    if (!within(sensorItem, static_cast<qsizetype>(levelSensorTypes().size()))) {
        return std::nullopt;
    }
    QByteArray payload = cmd({0x0D});
    for (double v : volts) {
        payload.append(static_cast<char>(low8(roundHalfEven(v * 51))));
    }
    payload.append(
        static_cast<char>(levelSensorTypes()[static_cast<std::size_t>(sensorItem)].code));
    SettingCommand c = single(payload);
    c.commands[1] = cmd({0x31, 0x00});
    return c;
}

QString thresholdEditText(double volts, const QLocale& locale) {
    return formatFixed(volts, 3, 2, locale);
}

QString thresholdSliderText(double volts, const QLocale& locale) {
    return formatGeneral(volts, 3, locale);
}

std::array<QString, 4> defaultThresholdTexts(int sensorItem, const QLocale& locale) {
    std::array<QString, 4> texts;
    if (!within(sensorItem, static_cast<qsizetype>(levelSensorTypes().size()))) {
        return texts;
    }
    const auto& defaults =
        levelSensorTypes()[static_cast<std::size_t>(sensorItem)].defaultThresholds;
    for (std::size_t k = 0; k < 4; ++k) {
        texts[k] = thresholdEditText(defaults[k], locale);
    }
    return texts;
}

std::optional<double> parseThresholdText(const QString& text, const QLocale& locale) {
    return parseNumber(text, locale);
}

}  // namespace omvi::model
