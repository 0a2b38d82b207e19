// The commands the settings controls send, byte for byte, and that what they send reads back
// as the same value from the configuration image.
#include "model/settings_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/bytes.h"
#include "link_fixture.h"
#include "model/code_tables.h"
#include "model/config_image.h"
#include "sim/ecu_simulator.h"

using namespace omvi;
using namespace omvi::model;
using omvi::link::Commands;

namespace {

Commands only(const QByteArray& first, const QByteArray& second = {}) {
    return Commands{first, second, {}, {}, {}};
}

const QLocale kComma(QLocale::German, QLocale::Germany);

}  // namespace

TEST(SpeedCommands, HundredsAndRemainder) {
    EXPECT_EQ(rpmToGasCommand(300).commands, only(bytes({0x40, 3, 0})));
    EXPECT_EQ(rpmToGasCommand(6000).commands, only(bytes({0x40, 60, 0})));
    EXPECT_EQ(rpmMaxToPetrolCommand(6550).commands, only(bytes({0x41, 65, 50})));
    EXPECT_EQ(rpmMaxToPetrolCommand(12000).commands, only(bytes({0x41, 120, 0})));
    EXPECT_EQ(rpmMinToPetrolCommand(15000).commands, only(bytes({0x42, 150, 0})));
    EXPECT_EQ(rpmMinToPetrolCommand(1020).commands, only(bytes({0x42, 10, 20})));
    EXPECT_EQ(rpmMaxToPetrolCommand(6550).retryCount, 5);
}

TEST(OneByteCommands, ScalingRoundingAndTwosComplement) {
    EXPECT_EQ(minTempPetrolCommand(-25).commands, only(bytes({0x37, 0xE7})));
    EXPECT_EQ(minTempPetrolCommand(0).commands, only(bytes({0x37, 0x00})));
    EXPECT_EQ(minTempPetrolCommand(100).commands, only(bytes({0x37, 0x64})));
    EXPECT_EQ(mazdaCommand(25).commands, only(bytes({0x4A, 96})));
    EXPECT_EQ(mazdaCommand(0).commands, only(bytes({0x4A, 128})));
    EXPECT_EQ(mazdaCommand(50).commands, only(bytes({0x4A, 64})));
    EXPECT_EQ(workPressureCommand(1.25).commands, only(bytes({0x2B, 125})));
    EXPECT_EQ(workPressureCommand(2.50).commands, only(bytes({0x2B, 250})));
    EXPECT_EQ(minPressureCommand(0.40).commands, only(bytes({0x1E, 40})));
    EXPECT_EQ(pressureErrorDelayCommand(1450).commands, only(bytes({0x1F, 145})));
    EXPECT_EQ(pressureErrorDelayCommand(25).commands, only(bytes({0x1F, 2})));  // 2.5 -> 2
    EXPECT_EQ(cylinderSequenceCommand(2550).commands, only(bytes({0x23, 255})));
    EXPECT_EQ(gasTemperatureCommand(35).commands, only(bytes({0x0F, 35})));
    EXPECT_EQ(minInjectionTimeCommand(0.5).commands, only(bytes({0x46, 5})));
    EXPECT_EQ(minInjectionTimeCommand(5.0).commands, only(bytes({0x46, 50})));
}

TEST(OneByteCommands, ChecksAndSelections) {
    EXPECT_EQ(injectorsPlusCommand(true).commands, only(bytes({0x2D, 1})));
    EXPECT_EQ(switchAtFirstDropCommand(false).commands, only(bytes({0x2E, 0})));
    EXPECT_EQ(fullGroupCommand(true).commands, only(bytes({0x43, 2})));
    EXPECT_EQ(fullGroupCommand(false).commands, only(bytes({0x43, 0})));
    EXPECT_EQ(injectorHeatingCommand(true).commands, only(bytes({0x45, 1})));
    EXPECT_EQ(impulseCommand(5)->commands, only(bytes({0x0A, 5})));
    EXPECT_EQ(engineTypeCommand(1)->commands, only(bytes({0x21, 1})));
    EXPECT_EQ(reducerSensorCommand(0)->commands, only(bytes({0x13, 2})));
    EXPECT_EQ(reducerSensorCommand(5)->commands, only(bytes({0x13, 0})));
    EXPECT_EQ(gasSensorCommand(3)->commands, only(bytes({0x18, 5})));
    EXPECT_EQ(pressureSensorCommand().commands, only(bytes({0x12, 4}), bytes({0x27, 4})));
}

TEST(OneByteCommands, NoSelectionSendsNothing) {
    EXPECT_FALSE(impulseCommand(-1));
    EXPECT_FALSE(impulseCommand(6));
    EXPECT_FALSE(engineTypeCommand(2));
    EXPECT_FALSE(reducerSensorCommand(-1));
    EXPECT_FALSE(gasSensorCommand(6));
    EXPECT_FALSE(injectorTypeCommand(13));
    EXPECT_FALSE(cylinderCountCommand(-1));
    EXPECT_FALSE(levelThresholdsCommand({1, 2, 3, 4}, 6));
}

TEST(FuelTypeCommand, LeavesTheBudgetAsItWas) {
    EXPECT_EQ(fuelTypeCommand(false).commands, only(bytes({0x33, 0})));
    EXPECT_EQ(fuelTypeCommand(true).commands, only(bytes({0x33, 1})));
    EXPECT_FALSE(fuelTypeCommand(true).retryCount);
}

TEST(RpmSignalCommand, SinglePrecisionAndTheThreeLevelsTheControllerSkips) {
    const SettingCommand at116 = rpmSignalCommand(11.6);  // 197.2 -> 197
    EXPECT_EQ(at116.commands, only(bytes({0x3A, 0xC7}), bytes({0x3A, 0xC5})));
    EXPECT_EQ(at116.retryCount, 9);
    EXPECT_EQ(rpmSignalCommand(11.7).commands, only(bytes({0x3A, 0xC7}), bytes({0x3A, 0xC5})));
    EXPECT_EQ(rpmSignalCommand(11.8).commands, only(bytes({0x3A, 201})));
    EXPECT_EQ(rpmSignalCommand(15.0).commands, only(bytes({0x3A, 0xFF})));
    EXPECT_EQ(rpmSignalCommand(0).commands, only(bytes({0x3A, 0})));
}

TEST(SwitchOverTimeCommand, WidthByVariantAndNothingWithoutOne) {
    EXPECT_EQ(switchOverTimeCommand(45, "ver_1")->commands, only(bytes({0x22, 90})));
    EXPECT_EQ(switchOverTimeCommand(45, "ver_2")->commands, only(bytes({0x22, 0x00, 90})));
    EXPECT_EQ(switchOverTimeCommand(45, "ver_3")->commands, only(bytes({0x22, 0x00, 90})));
    EXPECT_EQ(switchOverTimeCommand(300, "ver_2")->commands, only(bytes({0x22, 0x02, 0x58})));
    EXPECT_EQ(switchOverTimeCommand(300, "ver_1")->commands, only(bytes({0x22, 0x58})));
    EXPECT_FALSE(switchOverTimeCommand(45, ""));
    EXPECT_FALSE(switchOverTimeCommand(45, "ver_4"));
}

TEST(InjectorTypeCommand, FiveCommandsBudgetTenAndTheImageByte) {
    const SettingCommand stefanelli = *injectorTypeCommand(8);
    EXPECT_EQ(stefanelli.commands, (Commands{bytes({0x0E, 0}), bytes({0x24, 0}), bytes({0x30, 0}),
                                             bytes({0x38, 255}), bytes({0x44, 1})}));
    EXPECT_EQ(stefanelli.retryCount, 10);
    EXPECT_EQ(stefanelli.imageEdits, (std::vector<ImageEdit>{{367, 0}}));
    const SettingCommand zavoli = *injectorTypeCommand(9);
    EXPECT_EQ(zavoli.commands, (Commands{bytes({0x0E, 5}), bytes({0x24, 6}), bytes({0x30, 50}),
                                         bytes({0x38, 128}), bytes({0x44, 20})}));
    EXPECT_EQ(injectorTypeCommand(0)->commands[0], bytes({0x0E, 8}));
    EXPECT_EQ(injectorTypeCommand(12)->commands[1], bytes({0x24, 9}));
}

TEST(CylinderCommands, CountEditsTheImageAndSetsTheMask) {
    const SettingCommand five = *cylinderCountCommand(2);
    EXPECT_EQ(five.commands, only(bytes({0x1B, 4})));
    EXPECT_EQ(five.imageEdits, (std::vector<ImageEdit>{{344, 4}}));
    EXPECT_EQ(five.cylinderMask, 0x1F);
    EXPECT_EQ(cylinderCountCommand(0)->cylinderMask, 0x07);
    EXPECT_EQ(cylinderCountCommand(1)->cylinderMask, 0x0F);
    EXPECT_EQ(cylinderCountCommand(3)->cylinderMask, 0x3F);
}

TEST(CylinderCommands, FuelChangeOverAsksForTheOtherFuel) {
    const std::uint8_t mask = ledMask({true, false, true, true, false, false});
    EXPECT_EQ(mask, 0x0D);
    // Switch showing gas: a click asks for petrol; showing petrol (or an LED click on gas) asks
    // for gas.
    EXPECT_EQ(fuelChangeOverCommand(true, mask).commands, only(bytes({0x03, 0x02, 0x0D})));
    EXPECT_EQ(fuelChangeOverCommand(false, mask).commands, only(bytes({0x03, 0x03, 0x0D})));
    EXPECT_EQ(fuelChangeOverCommand(true, ledMask({true, true, true, true, true, true})).commands,
              only(bytes({0x03, 0x02, 0x3F})));
    EXPECT_EQ(adaptationChangeOverCommand(0, 0x0F).commands,
              only(bytes({0x25}), bytes({0x03, 0x02, 0x0F})));
    EXPECT_EQ(adaptationChangeOverCommand(3, 0x0F).commands, only(bytes({0x03, 0x02, 0x0F})));
}

TEST(CylinderCommands, CorrectionsAndBanksAreWrittenAsWholeSets) {
    EXPECT_EQ(correctionsCommand({-3, 0, 5, 20, -20, 1}).commands,
              only(bytes({0x35, 125, 128, 133, 148, 108, 129, 0x80, 0x80})));
    EXPECT_EQ(correctionsCommand({0.5, 1.5, -0.5, 0, 0, 0}).commands[0],
              bytes({0x35, 128, 130, 128, 128, 128, 128, 0x80, 0x80}));
    EXPECT_EQ(banksCommand({0, 1, 0, 1, 0, 1}).commands, only(bytes({0x51, 0xD5})));
    EXPECT_EQ(banksCommand({1, 1, 1, 1, 1, 1}).commands, only(bytes({0x51, 0xC0})));
    EXPECT_EQ(banksCommand({0, 0, 0, 0, 0, 0}).commands, only(bytes({0x51, 0xFF})));
}

TEST(LevelSensorCommands, SensorTypeDefaultsAsExactBytes) {
    const int fiftyToZero = 3;
    const auto texts = defaultThresholdTexts(fiftyToZero, kComma);
    EXPECT_EQ(texts, (std::array<QString, 4>{"4,10", "3,10", "2,00", "0,90"}));
    std::array<double, 4> volts{};
    for (std::size_t k = 0; k < 4; ++k) {
        volts[k] = *parseThresholdText(texts[k], kComma);
    }
    const SettingCommand set = *levelThresholdsCommand(volts, fiftyToZero);
    EXPECT_EQ(set.commands, only(bytes({0x0D, 209, 158, 102, 46, 3}), bytes({0x31, 0x00})));
    EXPECT_EQ(set.retryCount, 5);

    const int hal2 = 5;
    const auto halTexts = defaultThresholdTexts(hal2, QLocale::c());
    EXPECT_EQ(halTexts, (std::array<QString, 4>{"0.70", "1.50", "2.20", "2.80"}));
    for (std::size_t k = 0; k < 4; ++k) {
        volts[k] = *parseThresholdText(halTexts[k], QLocale::c());
    }
    EXPECT_EQ(levelThresholdsCommand(volts, hal2)->commands[0],
              bytes({0x0D, 36, 76, 112, 143, 43}));
}

TEST(LevelSensorCommands, EnteringAndTheSliderText) {
    EXPECT_EQ(levelEnterCommand().commands, only(bytes({0x31, 0x01})));
    EXPECT_EQ(levelEnterCommand().retryCount, 5);
    const QString moved = thresholdSliderText(2.55, kComma);
    EXPECT_EQ(moved, "2,55");
    EXPECT_EQ(thresholdSliderText(2.5, kComma), "2,5");
    const std::array<double, 4> volts{0.7, 1.5, *parseThresholdText(moved, kComma), 2.8};
    EXPECT_EQ(static_cast<std::uint8_t>(levelThresholdsCommand(volts, 0)->commands[0].at(3)), 130);
    EXPECT_FALSE(parseThresholdText(QStringLiteral("x"), kComma));
}

// What a control sends, placed where the controller reports it back, reads as the same value.
TEST(RoundTrip, CommandParametersDecodeBackFromTheirImageBytes) {
    struct Case {
        const char* name;
        SettingCommand command;
        std::vector<int> offsets;  // image bytes of the command's parameters, in order
        std::function<double(const ConfigValues&)> read;
        double expected;
    };
    const std::vector<Case> cases{
        {"rpm to gas",
         rpmToGasCommand(2300),
         {345, 1020},
         [](const ConfigValues& v) { return *v.rpmToGas; },
         2300},
        {"rpm max",
         rpmMaxToPetrolCommand(6550),
         {346, 1021},
         [](const ConfigValues& v) { return *v.rpmMaxToPetrol; },
         6550},
        {"rpm min",
         rpmMinToPetrolCommand(1020),
         {646, 1022},
         [](const ConfigValues& v) { return *v.rpmMinToPetrol; },
         1020},
        {"min temp",
         minTempPetrolCommand(-25),
         {647},
         [](const ConfigValues& v) { return *v.minTempPetrolC; },
         -25},
        {"mazda",
         mazdaCommand(25),
         {1284},
         [](const ConfigValues& v) { return *v.mazdaCorrection; },
         25},
        {"p work",
         workPressureCommand(1.25),
         {358},
         [](const ConfigValues& v) { return *v.workPressureBar; },
         1.25},
        {"p min",
         minPressureCommand(0.85),
         {362},
         [](const ConfigValues& v) { return *v.minPressureBar; },
         0.85},
        {"rpm signal",
         rpmSignalCommand(12.0),
         {650},
         [](const ConfigValues& v) { return *v.rpmSignalVolts; },
         12.0},
        {"delay",
         pressureErrorDelayCommand(730),
         {363},
         [](const ConfigValues& v) { return *v.pressureErrorDelayMs; },
         730},
        {"sequence",
         cylinderSequenceCommand(120),
         {365},
         [](const ConfigValues& v) { return *v.cylinderSequenceMs; },
         120},
        {"gas temp",
         gasTemperatureCommand(35),
         {357},
         [](const ConfigValues& v) { return *v.gasTemperatureC; },
         35},
        {"min injection",
         minInjectionTimeCommand(2.3),
         {1025},
         [](const ConfigValues& v) { return *v.minInjectionTimeMs; },
         2.3},
        {"switch-over",
         *switchOverTimeCommand(300, "ver_3"),
         {637, 364},
         [](const ConfigValues& v) { return *v.switchOverTimeS; },
         300},
        {"injector",
         *injectorTypeCommand(11),
         {367},
         [](const ConfigValues& v) { return *v.injectorTypeItem; },
         11},
        {"reducer sensor",
         *reducerSensorCommand(2),
         {352},
         [](const ConfigValues& v) { return *v.reducerSensorItem; },
         2},
        {"level",
         *levelThresholdsCommand({4.1, 3.1, 2.0, 0.9}, 4),
         {347, 348, 349, 350, 351},
         [](const ConfigValues& v) { return *v.levelSensorItem; },
         4},
        {"cylinders",
         *cylinderCountCommand(2),
         {344},
         [](const ConfigValues& v) { return *v.cylinderCount; },
         5},
    };
    for (const Case& c : cases) {
        QByteArray image(1354, '\0');
        const QByteArray& sent = c.command.commands[0];
        ASSERT_EQ(sent.size(), static_cast<qsizetype>(c.offsets.size()) + 1) << c.name;
        for (std::size_t i = 0; i < c.offsets.size(); ++i) {
            image[c.offsets[i]] = sent.at(static_cast<qsizetype>(i) + 1);
        }
        EXPECT_NEAR(c.read(decodeConfigImage(image, "ver_3")), c.expected, 1e-9) << c.name;
    }
}

// The controller receives, in order, exactly the commands one call hands to the link.
TEST(SimulatedController, ReceivesTheInjectorTypeCallInOrder) {
    test::LinkRig rig;
    sim::EcuSimulator ecu;
    rig.port.connectTo(ecu);
    ASSERT_TRUE(rig.connect());
    const SettingCommand command = *injectorTypeCommand(8);
    rig.link.setRetryCount(*command.retryCount);
    rig.link.send_com(command.commands);
    ASSERT_TRUE(rig.clock.runUntil(
        [&] {
            const auto& got = ecu.receivedCommands();
            return !got.isEmpty() && got.last() == command.commands[4];
        },
        10000));
    const QList<QByteArray>& got = ecu.receivedCommands();
    QList<QByteArray> tail;
    for (const QByteArray& c : got) {
        if (!c.isEmpty() && static_cast<std::uint8_t>(c.at(0)) != 0x99) {
            tail << c;
        }
    }
    ASSERT_GE(tail.size(), 5);
    EXPECT_EQ(tail.mid(tail.size() - 5),
              (QList<QByteArray>{command.commands.begin(), command.commands.end()}));
}
