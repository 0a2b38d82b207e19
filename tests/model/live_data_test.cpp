// Decoding the live frame and the dashboard's derived rules.
#include "model/live_data.h"

#include <gtest/gtest.h>

#include <QJsonObject>
#include <initializer_list>
#include <utility>

#include "link/bytes.h"

using namespace omvi;
using namespace omvi::model;

namespace {

constexpr std::uint8_t kCheck = 0x5A;

// A full answer frame (73 bytes and the sum) with the given bytes set; errors all clear.
QByteArray frameWith(std::initializer_list<std::pair<int, int>> values) {
    QByteArray f(74, '\0');
    f[0] = static_cast<char>(0xF0);
    f[2] = 74;
    f[3] = static_cast<char>(0x99);
    f[4] = static_cast<char>(kCheck);
    f[50] = f[51] = f[52] = static_cast<char>(0xFF);
    for (const auto& [offset, value] : values) {
        f[offset] = static_cast<char>(value);
    }
    return f;
}

const QLocale kComma(QLocale::German, QLocale::Germany);

}  // namespace

TEST(LiveFrameAcceptance, NeedsSixBytesAndTheCheckByte) {
    EXPECT_FALSE(acceptable(QByteArray(5, '\0'), 0));
    EXPECT_TRUE(acceptable(bytes({0xF0, 0, 6, 0x99, kCheck, 0}), kCheck));
    EXPECT_FALSE(acceptable(bytes({0xF0, 0, 6, 0x99, kCheck + 1, 0}), kCheck));
    EXPECT_TRUE(acceptable(frameWith({}), kCheck));
}

TEST(LiveFrameDecode, EngineSpeedPressuresAndTemperatures) {
    const LiveData d = decodeLiveFrame(frameWith({{42, 25},
                                                  {43, 40},
                                                  {46, 0x00},
                                                  {47, 0x64},
                                                  {44, 0x00},
                                                  {45, 0x96},
                                                  {48, 0xF6},
                                                  {49, 0x41}}));
    EXPECT_EQ(d.rpm, 2540);
    EXPECT_DOUBLE_EQ(d.rpmThousands, 2.54);
    EXPECT_DOUBLE_EQ(d.manifoldKpa, 100);
    EXPECT_DOUBLE_EQ(d.gasPressureBar, 1.5);
    EXPECT_EQ(d.reducerTempC, -10);
    EXPECT_EQ(d.gasTempC, 65);
    EXPECT_TRUE(d.complete);
}

TEST(LiveFrameDecode, HighBytesOfThePressuresCount256Units) {
    const LiveData d = decodeLiveFrame(frameWith({{46, 1}, {47, 4}, {44, 1}, {45, 0}}));
    EXPECT_DOUBLE_EQ(d.manifoldKpa, 260);
    EXPECT_DOUBLE_EQ(d.gasPressureBar, 2.56);
}

TEST(LiveFrameDecode, BatteryIsShownRoundedToTwoDecimals) {
    EXPECT_DOUBLE_EQ(decodeLiveFrame(frameWith({{54, 200}})).batteryVolts, 12.97);
    EXPECT_DOUBLE_EQ(decodeLiveFrame(frameWith({{54, 0}})).batteryVolts, 0.7);
    EXPECT_DOUBLE_EQ(decodeLiveFrame(frameWith({{54, 255}})).batteryVolts, 16.34);
}

TEST(LiveFrameDecode, InjectionTimesAreLittleEndianTenthsOfMilliseconds) {
    const LiveData d = decodeLiveFrame(
        frameWith({{10, 0x2C}, {11, 0x01}, {20, 35}, {26, 45}, {36, 0x10}, {37, 0x27}}));
    EXPECT_DOUBLE_EQ(d.petrolMs[0], 30.0);
    EXPECT_DOUBLE_EQ(d.petrolMs[5], 3.5);
    EXPECT_DOUBLE_EQ(d.gasMs[0], 4.5);
    EXPECT_DOUBLE_EQ(d.gasMs[5], 1000.0);
}

TEST(LiveFrameDecode, FlagsAndCylinderBits) {
    const LiveData d = decodeLiveFrame(frameWith({{5, 0x01}, {6, 0xFE}, {8, 0xCD}}));
    EXPECT_TRUE(d.ignitionOn);
    EXPECT_FALSE(d.onGas);
    EXPECT_EQ(d.cylinderBits, 0x0D);  // bits 6 and 7 name no cylinder
    EXPECT_TRUE(d.cylinderActive(1));
    EXPECT_FALSE(d.cylinderActive(2));
    EXPECT_TRUE(d.cylinderActive(4));
    EXPECT_FALSE(d.cylinderActive(7));
}

TEST(LiveFrameDecode, IgnitionOffShowsZeroLambdasButKeepsTheReadings) {
    const LiveData off = decodeLiveFrame(frameWith({{5, 0}, {57, 100}, {58, 200}}));
    EXPECT_EQ(off.lambda1Volts, 0);
    EXPECT_EQ(off.lambda2Volts, 0);
    EXPECT_DOUBLE_EQ(off.lambda1RawVolts, 1.96);
    const LiveData on = decodeLiveFrame(frameWith({{5, 1}, {57, 100}, {58, 200}}));
    EXPECT_DOUBLE_EQ(on.lambda1Volts, 1.96);
    EXPECT_DOUBLE_EQ(on.lambda2Volts, 3.92);
}

TEST(LambdaScale, WidensAbove121VoltsAndStaysWide) {
    LambdaScale scale;
    scale.update(61 * 0.0196);  // 1.1956 V
    EXPECT_EQ(scale.top, 1.0);
    scale.update(62 * 0.0196);  // 1.2152 V
    EXPECT_EQ(scale.top, 5.0);
    scale.update(0);
    EXPECT_EQ(scale.top, 5.0);
}

TEST(TankLeds, LevelFourNeedsExactlyFour) {
    const TankLeds reserve = tankLeds(0);
    EXPECT_TRUE(reserve.reserve);
    EXPECT_EQ(reserve.level, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(tankLeds(2).level, (std::array<bool, 4>{true, true, false, false}));
    EXPECT_EQ(tankLeds(4).level, (std::array<bool, 4>{true, true, true, true}));
    const TankLeds five = tankLeds(5);
    EXPECT_FALSE(five.reserve);
    EXPECT_EQ(five.level, (std::array<bool, 4>{true, true, true, false}));
}

TEST(TankVoltageText, ThreeSignificantDigitsTwoDecimals) {
    EXPECT_EQ(
        tankVoltageText(decodeLiveFrame(frameWith({{55, 100}})).tankSensorVolts, QLocale::c()),
        "1.96");
    EXPECT_EQ(tankVoltageText(0, QLocale::c()), "0.00");
    EXPECT_EQ(tankVoltageText(255 * 0.0196, kComma), "5,00");
}

TEST(GasCorrectionLabel, EmptyWithoutOwnCorrectionOrAfterAnEmptyBar) {
    EXPECT_EQ(gasCorrectionLabel(5, 5, 3, 0, 4.0, QLocale::c()), "");
    EXPECT_EQ(gasCorrectionLabel(5, 5, 3, 3, 0.0, QLocale::c()), "");
}

TEST(GasCorrectionLabel, UsesTheFirstCylindersCorrectionInTheRatio) {
    // r = 1 with no first correction: p * kk / 128.
    EXPECT_EQ(gasCorrectionLabel(5, 5, 0, 5, 4.0, QLocale::c()), "0.20");
    EXPECT_EQ(gasCorrectionLabel(5, 5, 0, -5, 4.0, QLocale::c()), "-0.20");
    // k1 = 10: r = 128 g / (p (1000/128 + 128)) / (10/1100 + 1) = 0.93399...
    EXPECT_EQ(gasCorrectionLabel(5, 5, 10, 10, 4.0, QLocale::c()), "0.36");
    EXPECT_EQ(gasCorrectionLabel(5, 5, 10, 10, 4.0, kComma), "0,36");
    // No petrol time: the ratio is 0.
    EXPECT_EQ(gasCorrectionLabel(5, 0, 10, 10, 4.0, QLocale::c()), "0.00");
}

TEST(LearnedSamples, LandAtAndAfterThePressure) {
    SampleTable petrol{};
    SampleTable gas{};
    const LiveData d = decodeLiveFrame(frameWith({{60, 10},
                                                  {61, 1},
                                                  {62, 2},
                                                  {63, 3},
                                                  {64, 4},
                                                  {65, 5},
                                                  {66, 6},
                                                  {67, 7},
                                                  {68, 8},
                                                  {69, 9},
                                                  {70, 10}}));
    placeLearnedSamples(d, petrol, gas);
    EXPECT_EQ(petrol[10], 2);
    EXPECT_EQ(petrol[11], 4);
    EXPECT_EQ(petrol[12], 5);
    EXPECT_EQ(gas[12], 6);
    EXPECT_EQ(gas[13], 8);
    EXPECT_EQ(gas[14], 10);
    int written = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        written += (petrol[i] != 0) + (gas[i] != 0);
    }
    EXPECT_EQ(written, 6);
}

TEST(LearnedSamples, PositionsBeyondTheTableAreDropped) {
    SampleTable petrol;
    SampleTable gas;
    petrol.fill(0xAA);
    gas.fill(0xAA);
    const LiveData d = decodeLiveFrame(
        frameWith({{60, 253}, {62, 1}, {64, 2}, {65, 3}, {66, 4}, {68, 5}, {70, 6}}));
    placeLearnedSamples(d, petrol, gas);
    EXPECT_EQ(petrol[253], 1);
    EXPECT_EQ(petrol[254], 2);
    EXPECT_EQ(petrol[255], 3);
    EXPECT_EQ(gas[255], 4);
    EXPECT_EQ(gas[254], 0xAA);
    EXPECT_EQ(petrol[252], 0xAA);
}

TEST(OperatingPointCell, RowFromSpeedColumnFromPetrolTimeHalvesToEven) {
    EXPECT_EQ(operatingPointCell(2540, 2.5), (GridCell{3, 8}));
    EXPECT_EQ(operatingPointCell(750, 3.5), (GridCell{5, 11}));  // 1.5 -> 2, 3.5 -> 4
    EXPECT_EQ(operatingPointCell(250, 0.0), (GridCell{1, 13}));  // 0.5 -> 0
    EXPECT_EQ(operatingPointCell(6000, 24.5), (GridCell{25, 1}));
    EXPECT_EQ(operatingPointCell(6000, 25.4), (GridCell{26, 1}));
    EXPECT_FALSE(operatingPointCell(6001, 2));
    EXPECT_FALSE(operatingPointCell(3000, 25.5));  // 26 ms is beyond the grid
}

TEST(ShortFrames, EveryLengthDecodesWithinItsBytes) {
    const QByteArray full = frameWith({{42, 25}, {43, 40}, {50, 0xF9}, {57, 80}, {72, 55}});
    for (int length = 0; length <= full.size(); ++length) {
        const QByteArray frame = full.left(length);
        const LiveData d = decodeLiveFrame(frame);
        EXPECT_EQ(d.complete, length >= 73) << length;
        EXPECT_EQ(d.rpm, (length > 42 ? 2500 : 0) + (length > 43 ? 40 : 0)) << length;
        EXPECT_EQ(d.engineLoadPercent, length > 72 ? 55 : 0) << length;
        // A missing error byte reports no error.
        EXPECT_EQ(d.errorFlags50, length > 50 ? 0xF9 : 0xFF) << length;
        EXPECT_EQ(d.injectorErrorFlags, 0xFF) << length;
    }
}

TEST(LiveExport, JsonAndCsvCarryTheSameScaledFields) {
    const LiveData d = decodeLiveFrame(
        frameWith({{5, 1}, {42, 25}, {43, 40}, {54, 200}, {57, 61}, {10, 35}, {48, 0xF6}}));
    const QJsonObject json = liveDataToJson(d);
    const QStringList names = liveFieldNames();
    EXPECT_EQ(json.keys().size(), names.size());
    EXPECT_EQ(json.value("rpm").toDouble(), 2540);
    EXPECT_EQ(json.value("battery_v").toDouble(), 12.97);
    EXPECT_EQ(json.value("lambda1_v").toDouble(), 1.1956);
    EXPECT_EQ(json.value("petrol_ms_1").toDouble(), 3.5);
    EXPECT_EQ(json.value("temp_reducer_c").toDouble(), -10);
    EXPECT_TRUE(json.value("ignition").toBool());

    const QStringList header = liveCsvHeader().split(',');
    const QStringList row = liveDataToCsvRow(d).split(',');
    ASSERT_EQ(header, names);
    ASSERT_EQ(row.size(), names.size());
    EXPECT_EQ(row.at(names.indexOf("battery_v")), "12.97");
    EXPECT_EQ(row.at(names.indexOf("rpm")), "2540");
    EXPECT_EQ(row.at(names.indexOf("temp_reducer_c")), "-10");
    EXPECT_EQ(row.at(names.indexOf("ignition")), "1");
}
