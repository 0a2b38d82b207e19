#include "sim/config_images.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <cmath>

#include "model/config_image.h"
#include "sim/ecu_simulator.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::sim::test;

namespace {

int speed(const QByteArray& image, int hundreds, int remainder) {
    return 100 * byteAt(image, hundreds) + byteAt(image, remainder);
}

// The register as the program lists it: codes 1..10 one line each, code 0 an injector line with
// the byte after it, anything else nothing; 40 bytes are read.
QList<int> registerCodes(const QByteArray& image, int start) {
    QList<int> codes;
    for (int j = 0; j < 40;) {
        const int code = byteAt(image, start + j);
        if (code == 0) {
            codes.append(0);
            j += 2;
        } else {
            if (code <= 10) {
                codes.append(code);
            }
            ++j;
        }
    }
    return codes;
}

QDateTime fromDateCode(std::uint32_t code) {
    const double t = static_cast<std::int32_t>(code) / 100000.0 + 36000.0;
    const QDate day = QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(t)));
    return QDateTime(day, QTime(0, 0)).addSecs(std::llround((t - std::floor(t)) * 86400.0));
}

}  // namespace

TEST(ConfigImages, EveryFirmwareGetsACompleteFrameWithItsVersion) {
    for (const char* version : {"3.7.7", "5.9.11", "5.10.11", "1.2.3", "255.0.9"}) {
        EcuSimulator sim(firmware(version));
        const QByteArray image = sim.configImage();
        const FirmwareVersion v = *parseFirmware(QString::fromLatin1(version));
        ASSERT_EQ(image.size(), 1356) << version;
        EXPECT_EQ(byteAt(image, 0), 0xF0);
        EXPECT_EQ(wordBe(image, 1), 1356);
        EXPECT_EQ(byteAt(image, 3), 0x66);
        EXPECT_EQ(image.mid(4, 3), bytes({v[0], v[1], v[2]})) << version;
        EXPECT_TRUE(sumIsGood(image)) << version;
    }
}

TEST(ConfigImages, FirmwareTextsAreReadStrictly) {
    EXPECT_EQ(parseFirmware(QStringLiteral("5.10.11")), (FirmwareVersion{5, 10, 11}));
    EXPECT_EQ(parseFirmware(QStringLiteral(" 3.7.7 ")), (FirmwareVersion{3, 7, 7}));
    for (const char* bad : {"", "5.10", "5.10.11.1", "5.x.1", "256.1.1", "-1.2.3", "5..1"}) {
        EXPECT_FALSE(parseFirmware(QString::fromLatin1(bad))) << bad;
    }
}

TEST(ConfigImages, SettingsHoldSensibleValues) {
    const QByteArray image = EcuSimulator().configImage();
    EXPECT_EQ(byteAt(image, 28), 6);
    EXPECT_NE(byteAt(image, 301), 0);
    EXPECT_GT(byteAt(image, 302), 0);
    EXPECT_LT(byteAt(image, 302), 20);
    EXPECT_EQ(byteAt(image, 343), 0);  // single coil
    EXPECT_EQ(byteAt(image, 344), 3);  // four cylinders
    EXPECT_EQ(speed(image, 345, 1020), 1500);
    EXPECT_EQ(speed(image, 346, 1021), 6500);
    EXPECT_EQ(speed(image, 646, 1022), 900);
    EXPECT_EQ(image.mid(347, 5), bytes({36, 76, 112, 143, 0}));  // 0-90 Ohm thresholds
    EXPECT_EQ(byteAt(image, 355), 4);
    EXPECT_EQ(byteAt(image, 358), 120);
    EXPECT_EQ(byteAt(image, 362), 80);
    EXPECT_EQ((byteAt(image, 637) * 256 + byteAt(image, 364)) / 2, 30);
    EXPECT_EQ(image.mid(367, 5), bytes({8, 6, 30, 89, 20}));  // Valtek 1 Ohm and its parameters
    EXPECT_EQ(static_cast<std::int8_t>(byteAt(image, 647)), -10);
    EXPECT_EQ(byteAt(image, 1284), 128);
    for (int offset : {638, 885, 886, 887, 888, 889}) {
        EXPECT_NEAR(byteAt(image, offset), 128, 20) << offset;
    }
    for (int code : {352, 353}) {
        EXPECT_LE(byteAt(image, code), 5);
    }
    EXPECT_LE(byteAt(image, 1023), 2);
    EXPECT_LE(byteAt(image, 1025), 50);
}

TEST(ConfigImages, TheSwitchOverHighByteIsMirroredFor5911Only) {
    for (const char* version : {"3.7.7", "5.9.11", "5.10.11"}) {
        const QByteArray image = EcuSimulator(firmware(version)).configImage();
        EXPECT_EQ(byteAt(image, 637), 0) << version;
        EXPECT_EQ(byteAt(image, 364), 60) << version;
    }
    EXPECT_EQ(byteAt(EcuSimulator(firmware("5.9.11")).configImage(), 883), 0);
    EXPECT_EQ(byteAt(EcuSimulator(firmware("5.10.11")).configImage(), 883), 0x80);
}

TEST(ConfigImages, MapRisesSmoothlyToAPlateau) {
    const QByteArray image = EcuSimulator().configImage();
    EXPECT_NEAR(byteAt(image, 388), 100, 2);
    for (int k = 1; k < 246; ++k) {
        const int step = byteAt(image, 388 + k) - byteAt(image, 387 + k);
        EXPECT_GE(step, 0) << k;
        EXPECT_LE(step, 2) << k;
    }
    EXPECT_GE(byteAt(image, 633), 115);
    EXPECT_LE(byteAt(image, 633), 140);
}

TEST(ConfigImages, TemperatureCurveCarriesItsMiddleValues) {
    const QByteArray image = EcuSimulator().configImage();
    for (int i = 0; i < 12; ++i) {
        const int v = byteAt(image, 989 + 2 * i);
        const int next = byteAt(image, 991 + 2 * i);
        EXPECT_EQ(byteAt(image, 990 + 2 * i),
                  v + static_cast<int>(std::nearbyint((next - v) / 2.0)))
            << i;
    }
    for (int offset = 989; offset <= 1017; ++offset) {
        EXPECT_GE(byteAt(image, offset), 78) << offset;  // within -50 .. +50 %
        EXPECT_LE(byteAt(image, offset), 178) << offset;
    }
    EXPECT_GT(byteAt(image, 1015), 128);  // richer when cold
}

TEST(ConfigImages, RpmGridIsMostlyNeutral) {
    const QByteArray image = EcuSimulator(firmware("5.10.11")).configImage();
    int neutral = 0;
    for (int offset = 651; offset <= 988; ++offset) {
        const int b = byteAt(image, offset);
        neutral += b == 0x80 ? 1 : 0;
        if (offset != 883) {
            EXPECT_NEAR(b, 0x80, 10) << offset;
        }
    }
    EXPECT_GT(neutral, 250);
    EXPECT_LT(neutral, 338);
}

TEST(ConfigImages, ErrorRegisterListsAFewEntries) {
    for (const char* version : {"3.7.7", "5.10.11"}) {
        const QByteArray image = EcuSimulator(firmware(version)).configImage();
        EXPECT_EQ(registerCodes(image, 303), (QList<int>{4, 0, 5})) << version;
    }
    // 5.9.11 reads 40 bytes from 317, the last 14 of them being settings; its own entries lead.
    const QByteArray image = EcuSimulator(firmware("5.9.11")).configImage();
    EXPECT_EQ(registerCodes(image, 317).mid(0, 3), (QList<int>{4, 0, 5}));
}

TEST(ConfigImages, CountersRecordHoldsTimesAndDates) {
    const QByteArray record = EcuSimulator().countersRecord();
    ASSERT_EQ(record.size(), 65);
    const std::uint32_t petrol = dwordLe(record, 0);
    const std::uint32_t gas = dwordLe(record, 4);
    EXPECT_GT(petrol, 0u);
    EXPECT_GT(gas, petrol);
    EXPECT_GT(dwordLe(record, 16), gas);  // service not yet due
    EXPECT_EQ(byteAt(record, 64) & 0x01, 1);
    const QDateTime first = fromDateCode(dwordLe(record, 42));
    const QDateTime last = fromDateCode(dwordLe(record, 53));
    const QDateTime pc = fromDateCode(dwordLe(record, 31));
    EXPECT_EQ(first, QDateTime(QDate(2019, 5, 14), QTime(10, 30)));
    EXPECT_LT(first, last);
    EXPECT_LT(last, pc);
    EXPECT_EQ(pc.date().year(), 2024);
}

TEST(ConfigImages, DateCodesCountHundredThousandthsOfADaySince1998) {
    EXPECT_EQ(dateCode(2011, 7, 6, 0, 0), 473000000u);
    EXPECT_EQ(dateCode(1998, 7, 24, 0, 0), 0u);
    EXPECT_EQ(dateCode(1998, 7, 24, 12, 0), 50000u);
}

TEST(ConfigImages, EveryFieldTheProgramShowsHasAValue) {
    struct Case {
        const char* version;
        const char* variant;
    };
    for (const Case& c :
         {Case{"3.7.7", "ver_1"}, Case{"5.9.11", "ver_2"}, Case{"5.10.11", "ver_3"}}) {
        const model::ConfigValues v = model::decodeConfigImage(
            EcuSimulator(firmware(c.version)).configImage(), QString::fromLatin1(c.variant));
        EXPECT_TRUE(v.complete) << c.version;
        // Selections are absent when the stored code names no item.
        for (const auto& item :
             {v.impulseItem, v.cylinderItem, v.engineTypeItem, v.injectorTypeItem,
              v.pressureSensorItem, v.reducerSensorItem, v.gasSensorItem, v.levelSensorItem}) {
            EXPECT_TRUE(item.has_value()) << c.version;
        }
        EXPECT_EQ(v.cylinderCount, 4);
        EXPECT_TRUE(v.fullGroup.has_value());
        EXPECT_EQ(v.switchOverTimeS, 30.0);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(v.corrections[static_cast<std::size_t>(i)].has_value());
            EXPECT_EQ(v.bankItems[static_cast<std::size_t>(i)], 0);
        }
        EXPECT_TRUE(v.mapPoints && v.tempPoints && v.gridTexts && v.countersRecord);
    }
}
