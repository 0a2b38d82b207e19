// Decoding the configuration image into the values of the settings controls and the editor.
#include "model/config_image.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "model/code_tables.h"
#include "model/live_data.h"
#include "sim/ecu_simulator.h"

using namespace omvi;
using namespace omvi::model;

namespace {

// A complete image (1354 bytes, as the newest firmware sends) with the given bytes set.
QByteArray imageWith(std::initializer_list<std::pair<int, int>> values) {
    QByteArray image(1354, '\0');
    image[0] = static_cast<char>(0xF0);
    for (const auto& [offset, value] : values) {
        image[offset] = static_cast<char>(value);
    }
    return image;
}

ConfigValues decode(std::initializer_list<std::pair<int, int>> values,
                    const QString& variant = QStringLiteral("ver_3")) {
    return decodeConfigImage(imageWith(values), variant, QLocale::c());
}

}  // namespace

TEST(ConfigDecode, SignedTemperatureAndEngineSpeeds) {
    EXPECT_EQ(decode({{647, 0xE7}}).minTempPetrolC, -25);
    EXPECT_EQ(decode({{647, 0x64}}).minTempPetrolC, 100);
    const ConfigValues v =
        decode({{346, 65}, {1021, 50}, {345, 12}, {1020, 0}, {646, 10}, {1022, 20}});
    EXPECT_EQ(v.rpmMaxToPetrol, 6550);
    EXPECT_EQ(v.rpmToGas, 1200);
    EXPECT_EQ(v.rpmMinToPetrol, 1020);
}

TEST(ConfigDecode, ScaledBytesGiveTheExactQuotient) {
    const ConfigValues v = decode({{1284, 0x40},
                                   {650, 204},
                                   {358, 125},
                                   {362, 40},
                                   {363, 145},
                                   {365, 255},
                                   {1025, 5},
                                   {357, 35}});
    EXPECT_NEAR(*v.mazdaCorrection, 50.0, 1e-9);
    EXPECT_NEAR(*v.rpmSignalVolts, 12.0, 1e-9);
    EXPECT_DOUBLE_EQ(*v.workPressureBar, 1.25);
    EXPECT_DOUBLE_EQ(*v.minPressureBar, 0.40);
    EXPECT_EQ(v.pressureErrorDelayMs, 1450);
    EXPECT_EQ(v.cylinderSequenceMs, 2550);
    EXPECT_DOUBLE_EQ(*v.minInjectionTimeMs, 0.5);
    EXPECT_EQ(v.gasTemperatureC, 35);
    EXPECT_NEAR(*decode({{1284, 128}}).mazdaCorrection, 0.0, 1e-12);
}

TEST(ConfigDecode, SwitchOverTimeTakesItsHighByteFrom637ForEveryVariant) {
    for (const char* variant : {"ver_1", "ver_2", "ver_3", ""}) {
        const ConfigValues v = decode({{364, 0x58}, {637, 0x02}, {883, 0x7F}}, variant);
        EXPECT_DOUBLE_EQ(*v.switchOverTimeS, 300.0) << variant;
    }
    EXPECT_DOUBLE_EQ(*decode({{364, 91}}).switchOverTimeS, 45.5);
}

TEST(ConfigDecode, BitFieldsOf356And634) {
    const ConfigValues v = decode({{356, 0x80 | 0x08}, {634, 0x02 | 0x08}});
    EXPECT_EQ(v.injectorsPlus, true);
    EXPECT_EQ(v.petrolMapLocked, false);
    EXPECT_EQ(v.engineTypeItem, 1);
    EXPECT_EQ(pressureAxisMaximum(*v.engineTypeItem), 256);
    EXPECT_EQ(v.switchAtFirstDrop, false);
    EXPECT_EQ(v.cng, true);
    EXPECT_EQ(v.injectorHeating, true);
    const ConfigValues w = decode({{356, 0x40}, {634, 0x01}});
    EXPECT_EQ(w.petrolMapLocked, true);
    EXPECT_EQ(w.engineTypeItem, 0);
    EXPECT_EQ(pressureAxisMaximum(*w.engineTypeItem), 100);
    EXPECT_EQ(w.switchAtFirstDrop, true);
    EXPECT_EQ(w.cng, false);
}

TEST(ConfigDecode, CodesSelectTheirItemsAndUnknownCodesSelectNothing) {
    const ConfigValues v = decode({{367, 0}, {352, 5}, {353, 0}, {351, 43}, {355, 4}});
    EXPECT_EQ(v.injectorTypeItem, 8);  // Stefanelli
    EXPECT_EQ(v.reducerSensorItem, 3);
    EXPECT_EQ(v.gasSensorItem, 5);
    EXPECT_EQ(v.levelSensorItem, 5);  // HAL2
    EXPECT_EQ(v.pressureSensorItem, 0);
    const ConfigValues none = decode({{367, 2}, {352, 6}, {353, 0xFF}, {351, 4}, {355, 3}});
    EXPECT_FALSE(none.injectorTypeItem);
    EXPECT_FALSE(none.reducerSensorItem);
    EXPECT_FALSE(none.gasSensorItem);
    EXPECT_FALSE(none.levelSensorItem);
    EXPECT_FALSE(none.pressureSensorItem);
    for (int code : {10, 14, 16, 255}) {
        EXPECT_FALSE(decode({{367, code}}).injectorTypeItem) << code;
    }
}

TEST(ConfigDecode, FullGroupIsTriState) {
    EXPECT_EQ(decode({{1023, 0}}).fullGroup, false);
    EXPECT_EQ(decode({{1023, 1}}).fullGroup, true);
    EXPECT_EQ(decode({{1023, 2}}).fullGroup, true);
    EXPECT_FALSE(decode({{1023, 3}}).fullGroup);
}

TEST(ConfigDecode, CylindersAndTheFourCylinderModel) {
    const ConfigValues four = decode({{344, 3}, {343, 5}});
    EXPECT_EQ(four.cylinderItem, 1);
    EXPECT_EQ(four.cylinderCount, 4);
    EXPECT_EQ(four.cylinderMask, 0x0F);
    EXPECT_EQ(four.impulseItem, 5);
    EXPECT_EQ(four.fourCylinderModel, false);
    // A controller for at most four cylinders offers two cylinder items and four pulse items.
    const ConfigValues limited = decode({{28, 4}, {344, 4}, {343, 4}});
    EXPECT_EQ(limited.fourCylinderModel, true);
    EXPECT_FALSE(limited.cylinderItem);
    EXPECT_FALSE(limited.cylinderMask);
    EXPECT_FALSE(limited.impulseItem);
    EXPECT_EQ(decode({{28, 4}, {344, 3}, {343, 3}}).impulseItem, 3);
    for (int b : {0, 1, 6, 0xFF}) {
        EXPECT_FALSE(decode({{344, b}}).cylinderCount) << b;
    }
}

TEST(ConfigDecode, CorrectionsBanksAndThresholds) {
    const ConfigValues v = decode({{638, 125},
                                   {885, 128},
                                   {886, 133},
                                   {887, 148},
                                   {888, 108},
                                   {889, 129},
                                   {1347, 0x15},
                                   {347, 36},
                                   {348, 76},
                                   {349, 255},
                                   {350, 0}});
    EXPECT_EQ(v.corrections, (std::array<std::optional<int>, 6>{-3, 0, 5, 20, -20, 1}));
    EXPECT_EQ(v.bankItems, (std::array<std::optional<int>, 6>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(v.thresholdTexts[0], "0.71");
    EXPECT_EQ(v.thresholdTexts[1], "1.49");
    EXPECT_EQ(v.thresholdTexts[2], "5.00");
    EXPECT_EQ(v.thresholdTexts[3], "0.00");
    EXPECT_DOUBLE_EQ(*v.thresholdVolts[2], 5.0);
    const ConfigValues comma = decodeConfigImage(imageWith({{347, 36}}), "ver_3",
                                                 QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(comma.thresholdTexts[0], "0,71");
}

TEST(ConfigDecode, IdentityHintAndCountersRecord) {
    QByteArray image = imageWith({{4, 5}, {5, 10}, {6, 11}, {301, 0x5A}, {302, 17}});
    for (int i = 46; i <= 109; ++i) {
        image[i] = static_cast<char>(i);
    }
    image[187] = static_cast<char>(0xEE);
    const ConfigValues v = decodeConfigImage(image, "ver_3");
    EXPECT_EQ(v.firmwareVersion, (std::array<int, 3>{5, 10, 11}));
    EXPECT_EQ(v.liveCheckByte, 0x5A);
    EXPECT_EQ(v.nozzleHint, "17");
    ASSERT_TRUE(v.countersRecord);
    ASSERT_EQ(v.countersRecord->size(), 65);
    EXPECT_EQ(v.countersRecord->at(0), 46);
    EXPECT_EQ(v.countersRecord->at(63), 109);
    EXPECT_EQ(static_cast<std::uint8_t>(v.countersRecord->at(64)), 0xEE);
    EXPECT_EQ(decode({{302, 0}}).nozzleHint, "");
}

TEST(ConfigDecode, MapAndTemperaturePoints) {
    QByteArray image = imageWith({{1015, 0},
                                  {1016, 0},
                                  {1017, 0},
                                  {989, 0},
                                  {991, 77},
                                  {1013, 99},
                                  {1014, 150},
                                  {990, 200}});
    for (int i = 1; i <= 246; ++i) {
        image[387 + i] = static_cast<char>(i);
    }
    const ConfigValues v = decodeConfigImage(image, "ver_3");
    ASSERT_TRUE(v.mapPoints);
    EXPECT_EQ((*v.mapPoints)[0], 1);
    EXPECT_EQ((*v.mapPoints)[245], 246);
    ASSERT_TRUE(v.tempPoints);
    const auto& t = *v.tempPoints;
    EXPECT_EQ(t[0], 128);  // point 1 stored as 0
    EXPECT_EQ(t[1], 0);    // point 2 may be 0
    EXPECT_EQ(t[2], 77);
    EXPECT_EQ(t[13], 99);  // point 14 at 1013
    EXPECT_EQ(t[14], 150);
    EXPECT_EQ(t[15], 128);
    EXPECT_EQ(t[16], 128);
    const ConfigValues set = decode({{1015, 60}, {1016, 70}, {1017, 80}});
    EXPECT_EQ((*set.tempPoints)[0], 60);
    EXPECT_EQ((*set.tempPoints)[15], 70);
    EXPECT_EQ((*set.tempPoints)[16], 80);
}

TEST(ConfigDecode, RpmGridCellsInWholePercentFirstBytesAtTheBottom) {
    EXPECT_EQ(gridCellText(0x90), "12");  // 16 steps: 12.5 -> 12
    EXPECT_EQ(gridCellText(0xB0), "38");  // 48 steps: 37.5 -> 38
    EXPECT_EQ(gridCellText(0x80), "0");
    EXPECT_EQ(gridCellText(0x81), "1");
    EXPECT_EQ(gridCellText(0x7F), "-1");
    EXPECT_EQ(gridCellText(0xFF), "99");
    EXPECT_EQ(gridCellText(0x00), "-100");
    EXPECT_EQ(gridCellText(0x70), "-12");  // -16 steps: -12.5 -> -12
    const ConfigValues v =
        decode({{651, 0x90}, {676, 0xFF}, {677, 0x00}, {988, 0xB0}, {883, 0x81}});
    ASSERT_TRUE(v.gridTexts);
    const auto& g = *v.gridTexts;
    EXPECT_EQ(g[12][0], "12");   // row 13 (0 rpm), column 1
    EXPECT_EQ(g[12][25], "99");  // row 13, column 26
    EXPECT_EQ(g[11][0], "-100");
    EXPECT_EQ(g[0][25], "38");  // row 1 (6000 rpm), column 26
    EXPECT_EQ(g[4][24], "1");   // byte 883 is row 5, column 25
}

TEST(ShortImages, FieldsAreAbsentWhenTheirBytesAreMissing) {
    const QByteArray full = imageWith({{647, 0xE7}, {346, 65}, {1021, 50}, {1347, 0x3F}});
    const ConfigValues at648 = decodeConfigImage(full.left(648), "ver_3");
    EXPECT_FALSE(at648.complete);
    EXPECT_EQ(at648.minTempPetrolC, -25);
    EXPECT_TRUE(at648.mapPoints);
    EXPECT_FALSE(at648.rpmMaxToPetrol);  // its remainder is at 1021
    EXPECT_FALSE(at648.gridTexts);
    EXPECT_FALSE(at648.tempPoints);
    EXPECT_FALSE(at648.bankItems[0]);
    EXPECT_FALSE(at648.mazdaCorrection);
    const ConfigValues at1347 = decodeConfigImage(full.left(1347), "ver_3");
    EXPECT_EQ(at1347.rpmMaxToPetrol, 6550);
    EXPECT_FALSE(at1347.bankItems[5]);
    EXPECT_FALSE(at1347.complete);
    const ConfigValues at1348 = decodeConfigImage(full.left(1348), "ver_3");
    EXPECT_TRUE(at1348.complete);
    EXPECT_EQ(at1348.bankItems[5], 0);
}

TEST(ShortImages, EveryLengthDecodesAndNothingAppearsFromMissingBytes) {
    const QByteArray full = imageWith({{344, 3}, {28, 4}, {1023, 1}});
    for (int length = 0; length <= full.size(); ++length) {
        const ConfigValues v = decodeConfigImage(full.left(length), "ver_2");
        EXPECT_EQ(v.imageLength, length);
        EXPECT_EQ(v.fourCylinderModel.has_value(), length > 28) << length;
        EXPECT_EQ(v.cylinderCount.has_value(), length > 344) << length;
        EXPECT_EQ(v.fullGroup.has_value(), length > 1023) << length;
        EXPECT_EQ(v.countersRecord.has_value(), length > 187) << length;
        EXPECT_EQ(v.gridTexts.has_value(), length > 988) << length;
    }
}

TEST(SimulatedController, ItsImageDecodesCompletelyAndItsLiveFramesAreAccepted) {
    sim::EcuSimulator ecu;
    const ConfigValues v = decodeConfigImage(ecu.configImage(), "ver_3");
    EXPECT_TRUE(v.complete);
    ASSERT_TRUE(v.liveCheckByte);
    EXPECT_TRUE(v.cylinderCount);
    EXPECT_TRUE(v.mapPoints && v.tempPoints && v.gridTexts && v.countersRecord);
    const QByteArray frame = ecu.liveFrame(1000);
    EXPECT_TRUE(acceptable(frame, *v.liveCheckByte));
    EXPECT_TRUE(decodeLiveFrame(frame).complete);
}
