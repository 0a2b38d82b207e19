#include "model/config_image.h"

#include <initializer_list>

#include "link/bytes.h"
#include "model/code_tables.h"
#include "model/firmware_variant.h"
#include "model/number_format.h"

namespace omvi::model {

namespace {

class Reader {
  public:
    explicit Reader(const QByteArray& image) : image_(image) {}

    bool has(int offset) const { return offset >= 0 && offset < image_.size(); }
    bool hasAll(std::initializer_list<int> offsets) const {
        for (int o : offsets) {
            if (!has(o)) {
                return false;
            }
        }
        return true;
    }
    // Every byte of [first, last].
    bool hasRange(int first, int last) const { return has(first) && has(last); }
    std::optional<int> b(int offset) const {
        return has(offset) ? std::optional<int>(byteAt(image_, offset)) : std::nullopt;
    }
    std::optional<bool> bit(int offset, int bitIndex) const {
        if (!has(offset)) {
            return std::nullopt;
        }
        return ((byteAt(image_, offset) >> bitIndex) & 1) != 0;
    }
    int at(int offset) const { return byteAt(image_, offset); }
    // Engine speeds are kept as hundreds and a remainder in two separate bytes.
    std::optional<int> speed(int hundreds, int remainder) const {
        if (!hasAll({hundreds, remainder})) {
            return std::nullopt;
        }
        return 100 * at(hundreds) + at(remainder);
    }
    const QByteArray& image() const { return image_; }

  private:
    const QByteArray& image_;
};

template <class T, class F>
std::optional<T> mapped(const std::optional<int>& v, F f) {
    return v ? std::optional<T>(f(*v)) : std::nullopt;
}

std::optional<int> itemWithin(const std::optional<int>& item, int count) {
    if (item && *item >= 0 && *item < count) {
        return item;
    }
    return std::nullopt;
}

// A temperature point stored as 0 means "not set" and shows as the neutral 128.
int tempPointOrNeutral(int b) {
    return b == 0 ? 128 : b;
}

}  // namespace

int gridPercent(std::uint8_t b) {
    return static_cast<int>(roundHalfEven((static_cast<int>(b) - 128) * 50.0 / 64.0));
}

QString gridCellText(std::uint8_t b) {
    if (b == 128) {
        return QStringLiteral("0");
    }
    if (b > 128) {
        return QString::number(gridPercent(b));
    }
    return QStringLiteral("-") + QString::number(-gridPercent(b));
}

QString thresholdText(std::uint8_t b, const QLocale& locale) {
    return formatFixed(b / 51.0, 3, 2, locale);
}

ConfigValues decodeConfigImage(const QByteArray& image, const QString& variant,
                               const QLocale& locale) {
    const Reader r(image);
    ConfigValues v;
    v.imageLength = static_cast<int>(image.size());
    v.complete = image.size() >= ConfigValues::kCompleteLength;
    v.errorRegisterStart = errorRegisterStart(variant);

    if (r.hasAll({4, 5, 6})) {
        v.firmwareVersion = std::array<int, 3>{r.at(4), r.at(5), r.at(6)};
    }
    v.fourCylinderModel = mapped<bool>(r.b(28), [](int b) { return b == kFourCylinderModel; });
    v.liveCheckByte =
        mapped<std::uint8_t>(r.b(301), [](int b) { return static_cast<std::uint8_t>(b); });
    v.nozzleHint =
        mapped<QString>(r.b(302), [](int b) { return b != 0 ? QString::number(b) : QString(); });

    const bool fourCylinders = v.fourCylinderModel.value_or(false);
    v.impulseItem = itemWithin(r.b(343), impulseItemCount(fourCylinders));
    v.cylinderItem = itemWithin(mapped<int>(r.b(344), [](int b) { return b - 2; }),
                                cylinderItemCount(fourCylinders));
    if (v.cylinderItem) {
        v.cylinderCount = *v.cylinderItem + 3;
        v.cylinderMask = static_cast<std::uint8_t>((1 << *v.cylinderCount) - 1);
    }
    v.rpmSignalVolts = mapped<double>(r.b(650), [](int b) { return b / 1.7 / 10.0; });
    v.engineTypeItem = mapped<int>(r.b(356), [](int b) { return (b >> 3) & 1; });
    v.injectorTypeItem = r.has(367) ? injectorItemForCode(r.at(367)) : std::nullopt;
    v.injectorsPlus = r.bit(356, 7);
    v.petrolMapLocked = r.bit(356, 6);
    v.switchAtFirstDrop = r.bit(634, 0);
    v.cng = r.bit(634, 1);
    v.injectorHeating = r.bit(634, 3);
    v.workPressureBar = mapped<double>(r.b(358), [](int b) { return b / 100.0; });
    v.minPressureBar = mapped<double>(r.b(362), [](int b) { return b / 100.0; });
    if (r.has(355) && r.at(355) == kPressureSensorCode) {
        v.pressureSensorItem = 0;
    }
    v.reducerSensorItem = r.has(352) ? temperatureSensorItemForCode(r.at(352)) : std::nullopt;
    v.gasSensorItem = r.has(353) ? temperatureSensorItemForCode(r.at(353)) : std::nullopt;
    v.rpmMaxToPetrol = r.speed(346, 1021);
    v.pressureErrorDelayMs = mapped<int>(r.b(363), [](int b) { return 10 * b; });
    v.gasTemperatureC = r.b(357);
    v.rpmToGas = r.speed(345, 1020);
    // The controller keeps half seconds; the high byte is read from 637 for every variant (the
    // older reading of 883 for one variant is always overwritten by this one).
    if (r.hasAll({364, 637})) {
        v.switchOverTimeS = (r.at(637) * 256 + r.at(364)) / 2.0;
    }
    v.cylinderSequenceMs = mapped<int>(r.b(365), [](int b) { return 10 * b; });
    if (r.has(1023) && r.at(1023) <= 2) {
        v.fullGroup = r.at(1023) != 0;
    }
    v.minInjectionTimeMs = mapped<double>(r.b(1025), [](int b) { return b / 10.0; });
    v.mazdaCorrection = mapped<double>(r.b(1284), [](int b) { return (128 - b) / 1.28; });
    v.levelSensorItem = r.has(351) ? levelSensorItemForCode(r.at(351)) : std::nullopt;
    for (int k = 0; k < 4; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (r.has(347 + k)) {
            const auto b = static_cast<std::uint8_t>(r.at(347 + k));
            v.thresholdVolts[i] = b / 51.0;
            v.thresholdTexts[i] = thresholdText(b, locale);
        }
    }
    v.rpmMinToPetrol = r.speed(646, 1022);
    v.minTempPetrolC = mapped<int>(r.b(647), [](int b) { return b < 128 ? b : b - 256; });
    v.corrections[0] = mapped<int>(r.b(638), [](int b) { return b - 128; });
    for (int k = 1; k < 6; ++k) {
        v.corrections[static_cast<std::size_t>(k)] =
            mapped<int>(r.b(884 + k), [](int b) { return b - 128; });
    }
    for (int k = 0; k < 6; ++k) {
        v.bankItems[static_cast<std::size_t>(k)] =
            mapped<int>(r.b(1347), [k](int b) { return ((b >> k) & 1) != 0 ? 0 : 1; });
    }

    if (r.hasRange(388, 633)) {
        std::array<int, ConfigValues::kMapPoints> map{};
        for (int i = 1; i <= ConfigValues::kMapPoints; ++i) {
            map[static_cast<std::size_t>(i - 1)] = r.at(387 + i);
        }
        v.mapPoints = map;
    }
    if (r.hasRange(989, 1017)) {
        std::array<int, ConfigValues::kTempPoints> temp{};
        temp[0] = tempPointOrNeutral(r.at(1015));
        for (int i = 2; i <= 14; ++i) {
            temp[static_cast<std::size_t>(i - 1)] = r.at(989 + 2 * (i - 2));
        }
        temp[14] = r.at(1014);
        temp[15] = tempPointOrNeutral(r.at(1016));
        temp[16] = tempPointOrNeutral(r.at(1017));
        v.tempPoints = temp;
    }
    if (r.hasRange(651, 988)) {
        std::array<std::array<QString, ConfigValues::kGridColumns>, ConfigValues::kGridRows> grid;
        // The first 26 bytes are 0 rpm, which the grid shows at the bottom.
        for (int rr = 1; rr <= ConfigValues::kGridRows; ++rr) {
            for (int m = 1; m <= ConfigValues::kGridColumns; ++m) {
                const auto b = static_cast<std::uint8_t>(r.at(651 + 26 * (rr - 1) + (m - 1)));
                grid[static_cast<std::size_t>(13 - rr)][static_cast<std::size_t>(m - 1)] =
                    gridCellText(b);
            }
        }
        v.gridTexts = grid;
    }
    if (r.hasRange(46, 109) && r.has(187)) {
        v.countersRecord = image.mid(46, 64) + image.mid(187, 1);
    }
    return v;
}

}  // namespace omvi::model
