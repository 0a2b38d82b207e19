// Each settings command must change the image where the program reads the value back.

#include <gtest/gtest.h>

#include "sim/ecu_simulator.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::sim::test;

namespace {

// Applies a command and returns the image of the configuration read that follows it.
QByteArray after(EcuSimulator& sim, const QByteArray& command) {
    const QByteArray ack = ask(sim, command);
    EXPECT_EQ(byteAt(ack, 3), byteAt(command, 0));
    return ask(sim, bytes({0x66, 0x00}));
}

QByteArray filled(int size, int first) {
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i) {
        out[i] = static_cast<char>((first + i) & 0xFF);
    }
    return out;
}

}  // namespace

TEST(SimulatorCommands, SingleByteSettingsLandWhereTheyAreReadBack) {
    struct Case {
        int code;
        int value;
        int offset;
    };
    const Case cases[] = {
        {0x0A, 2, 343},   {0x3A, 0xC5, 650}, {0x2B, 125, 358}, {0x1E, 95, 362},   {0x12, 4, 355},
        {0x27, 3, 355},   {0x13, 5, 352},    {0x18, 1, 353},   {0x37, 0xE7, 647}, {0x1F, 145, 363},
        {0x0F, 60, 357},  {0x23, 25, 365},   {0x0E, 13, 367},  {0x24, 9, 368},    {0x30, 48, 369},
        {0x38, 128, 370}, {0x44, 1, 371},    {0x43, 2, 1023},  {0x46, 31, 1025},  {0x4A, 96, 1284},
        {0x1B, 4, 344},
    };
    EcuSimulator sim;
    for (const Case& c : cases) {
        const QByteArray image = after(sim, bytes({c.code, c.value}));
        EXPECT_EQ(byteAt(image, c.offset), c.value) << std::hex << c.code;
        EXPECT_TRUE(sumIsGood(image));
    }
}

TEST(SimulatorCommands, SwitchesSetAndClearTheirBitOnly) {
    struct Case {
        int code;
        int offset;
        int bit;
    };
    const Case cases[] = {{0x21, 356, 3}, {0x2D, 356, 7}, {0x29, 356, 6},
                          {0x2E, 634, 0}, {0x33, 634, 1}, {0x45, 634, 3}};
    EcuSimulator sim;
    for (const Case& c : cases) {
        const int before = byteAt(sim.configImage(), c.offset);
        const QByteArray on = after(sim, bytes({c.code, 1}));
        EXPECT_EQ(byteAt(on, c.offset), before | (1 << c.bit)) << std::hex << c.code;
        const QByteArray off = after(sim, bytes({c.code, 0}));
        EXPECT_EQ(byteAt(off, c.offset), before & ~(1 << c.bit)) << std::hex << c.code;
    }
}

TEST(SimulatorCommands, EngineSpeedsKeepHundredsAndRemainder) {
    EcuSimulator sim;
    const QByteArray image =
        after(sim, bytes({0x41, 65, 50}));  // 6550 above which it goes to petrol
    EXPECT_EQ(byteAt(image, 346), 65);
    EXPECT_EQ(byteAt(image, 1021), 50);
    EXPECT_EQ(byteAt(after(sim, bytes({0x40, 3, 0})), 345), 3);
    const QByteArray min = after(sim, bytes({0x42, 12, 40}));
    EXPECT_EQ(100 * byteAt(min, 646) + byteAt(min, 1022), 1240);
}

TEST(SimulatorCommands, SwitchOverTimeIsOneOrTwoBytesByFirmware) {
    EcuSimulator old(firmware("3.7.7"));
    QByteArray image = after(old, bytes({0x22, 90}));  // 45 s
    EXPECT_EQ(byteAt(image, 364), 90);
    EXPECT_EQ(byteAt(image, 637), 0);

    EcuSimulator mid(firmware("5.9.11"));
    image = after(mid, bytes({0x22, 0x02, 0x58}));  // 300 s
    EXPECT_EQ(byteAt(image, 364), 0x58);
    EXPECT_EQ(byteAt(image, 637), 0x02);
    EXPECT_EQ(byteAt(image, 883), 0x02);

    EcuSimulator newest(firmware("5.10.11"));
    image = after(newest, bytes({0x22, 0x01, 0x2C}));
    EXPECT_EQ((byteAt(image, 637) << 8) | byteAt(image, 364), 300);
    EXPECT_EQ(byteAt(image, 883), 0x80);  // a grid cell for this firmware
}

TEST(SimulatorCommands, CorrectionsBanksAndLevelCalibration) {
    EcuSimulator sim;
    QByteArray image = after(sim, bytes({0x35, 125, 128, 133, 148, 108, 129, 0x80, 0x80}));
    EXPECT_EQ(byteAt(image, 638), 125);
    EXPECT_EQ(image.mid(885, 5), bytes({128, 133, 148, 108, 129}));
    EXPECT_EQ(byteAt(image, 890), 0x80);  // the padding does not spill over

    image = after(sim, bytes({0x51, 0xD5}));
    EXPECT_EQ(byteAt(image, 1347) & 0x3F, 0x15);

    image = after(sim, bytes({0x0D, 209, 158, 102, 46, 3}));
    EXPECT_EQ(image.mid(347, 5), bytes({209, 158, 102, 46, 3}));

    EXPECT_FALSE(sim.calibrationMode());
    after(sim, bytes({0x31, 0x01}));
    EXPECT_TRUE(sim.calibrationMode());
    const QByteArray unchanged = sim.configImage();
    after(sim, bytes({0x31, 0x00}));
    EXPECT_FALSE(sim.calibrationMode());
    EXPECT_EQ(sim.configImage(), unchanged);
}

TEST(SimulatorCommands, MapCurveAndGridWritesFollowTheDisplayLayout) {
    EcuSimulator sim;
    // Map: ten copies of point 1 below 1.0 ms, then the 246 points.
    const QByteArray points = filled(246, 40);
    QByteArray image = after(sim, bytes({0x0B}) + QByteArray(10, '\x28') + points);
    EXPECT_EQ(image.mid(388, 246), points);
    EXPECT_EQ(byteAt(image, 387), 0);  // nothing written below the map
    EXPECT_EQ(byteAt(image, 634), 0);  // nor after it

    // Temperature curve: points 2..14 with middles, then 15, 1, 16, 17; two unused bytes.
    const QByteArray curve = filled(29, 100);
    image = after(sim, bytes({0x3F}) + curve + bytes({0x00, 0x00}));
    EXPECT_EQ(image.mid(989, 29), curve);
    EXPECT_EQ(byteAt(image, 1018), 0);

    // Grid: 0 rpm row first, 26 columns a row.
    const QByteArray grid = filled(338, 7);
    image = after(sim, bytes({0x3E}) + grid);
    EXPECT_EQ(image.mid(651, 338), grid);
    EXPECT_EQ(byteAt(image, 650), 85);
    EXPECT_EQ(byteAt(image, 989), 100);
}

TEST(SimulatorCommands, BlockWriteLandsByFirmwareAndStaysInsideTheImage) {
    struct Case {
        const char* version;
        int offset;
    };
    for (const Case& c :
         {Case{"3.7.7", 21}, Case{"5.9.11", 21}, Case{"5.10.11", 343}, Case{"4.0.0", 343}}) {
        EcuSimulator sim(firmware(c.version));
        const QByteArray block = filled(540, 3);
        QByteArray image = after(sim, bytes({0x1A}) + block);
        EXPECT_EQ(image.mid(c.offset, 540), block) << c.version;
        EXPECT_EQ(image.mid(4, 3), EcuSimulator(firmware(c.version)).configImage().mid(4, 3));

        // Far too long: stops before the sum, the frame keeps its length and a good sum.
        image = after(sim, bytes({0x1A}) + QByteArray(3000, '\x11'));
        ASSERT_EQ(image.size(), 1356) << c.version;
        EXPECT_EQ(byteAt(image, 1354), 0x11);
        EXPECT_TRUE(sumIsGood(image));
        EXPECT_EQ(wordBe(image, 1), 1356);
    }
}

TEST(SimulatorCommands, CountersRecordWriteFillsBothParts) {
    EcuSimulator sim;
    const QByteArray record = filled(65, 1);
    const QByteArray answer = ask(sim, bytes({0x3B}) + record);
    EXPECT_EQ(answer.mid(4, 65), record);
    const QByteArray image = sim.configImage();
    EXPECT_EQ(image.mid(46, 64), record.left(64));
    EXPECT_EQ(byteAt(image, 187), 65);
    EXPECT_EQ(byteAt(image, 110), 0);

    // A short record changes only what it carries.
    ask(sim, bytes({0x3B, 0xAA, 0xBB}));
    EXPECT_EQ(sim.countersRecord().left(3), bytes({0xAA, 0xBB, 3}));
    EXPECT_EQ(byteAt(sim.countersRecord(), 64), 65);
}

TEST(SimulatorCommands, ClearingErrorsEmptiesTheRegisterAndNothingElse) {
    for (const char* version : {"5.10.11", "5.9.11"}) {
        EcuSimulator sim(firmware(version));
        sim.setActiveErrors(0xF9, 0xFF, 0xFA);
        const QByteArray before = sim.configImage();
        const int start = QByteArray(version) == "5.9.11" ? 317 : 303;
        const QByteArray image = after(sim, bytes({0x10, 0x00}));
        EXPECT_EQ(image.mid(start, 343 - start), QByteArray(343 - start, '\xFF')) << version;
        EXPECT_EQ(image.mid(343, 1012), before.mid(343, 1012)) << version;  // settings untouched
        const QByteArray live = sim.liveFrame(1000);
        EXPECT_EQ(live.mid(50, 3), bytes({0xFF, 0xFF, 0xFF}));
    }
}

TEST(SimulatorCommands, FactoryResetRestoresSettingsButKeepsTheHistory) {
    EcuSimulator sim;
    const QByteArray factory = sim.configImage();
    after(sim, bytes({0x2B, 99}));
    after(sim, bytes({0x3B}) + filled(65, 9));
    const QByteArray record = sim.countersRecord();
    const QByteArray answer = ask(sim, bytes({0x26}));
    EXPECT_EQ(byteAt(answer, 3), 0x26);
    EXPECT_EQ(byteAt(answer, 358), byteAt(factory, 358));
    EXPECT_EQ(sim.countersRecord(), record);
    EXPECT_EQ(answer.mid(4, answer.size() - 5), sim.configImage().mid(4, 1351));
}

TEST(SimulatorCommands, ShortCommandsChangeNothing) {
    EcuSimulator sim;
    const QByteArray before = sim.configImage();
    for (int code : {0x0A, 0x2B, 0x21, 0x41, 0x22, 0x51, 0x10, 0x03, 0x2A}) {
        after(sim, bytes({code}));
    }
    after(sim, bytes({0x41, 70}));  // needs hundreds and remainder
    EXPECT_EQ(sim.configImage(), before);
    EXPECT_EQ(sim.gasMask(), 0);
}

TEST(SimulatorCommands, LearnedCurveClearForgetsOneFuel) {
    EcuSimulator sim;
    ASSERT_NE(byteAt(sim.learnedPetrol(), 60), 0);
    ask(sim, bytes({0x2A, 0x01}));
    EXPECT_EQ(sim.learnedPetrol(), QByteArray(256, '\0'));
    EXPECT_NE(byteAt(sim.learnedGas(), 60), 0);
    ask(sim, bytes({0x2A, 0x02}));
    EXPECT_EQ(sim.learnedGas(), QByteArray(256, '\0'));
}
