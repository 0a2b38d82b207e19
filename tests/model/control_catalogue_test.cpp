// The settings controls by name: typing a value, what it sends, and what a configuration shows.
#include "model/control_catalogue.h"

#include <gtest/gtest.h>

#include <QSet>

#include "link/bytes.h"

using namespace omvi;
using namespace omvi::model;
using omvi::link::Commands;

namespace {

const Control& control(const char* name) {
    const auto found = findControl(QString::fromLatin1(name));
    EXPECT_TRUE(found.ok()) << name;
    return **found;
}

// Parses and builds the command; the failure message when either step fails.
Expected<SettingCommand> set(const char* name, const QString& text,
                             const QString& variant = QStringLiteral("ver_3"),
                             const ConfigValues* config = nullptr) {
    const Control& c = control(name);
    const auto value = c.parse(text, variant);
    if (!value) {
        return Expected<SettingCommand>::failure(value.error());
    }
    return c.command(*value, CommandContext{variant, config});
}

QByteArray imageWith(std::initializer_list<std::pair<int, int>> values) {
    QByteArray image(1354, '\0');
    for (const auto& [offset, value] : values) {
        image[offset] = static_cast<char>(value);
    }
    return image;
}

}  // namespace

TEST(Catalogue, NamesAreUniqueAndFoundWhateverTheCase) {
    QSet<QString> names;
    for (const Control& c : controlCatalogue()) {
        EXPECT_FALSE(names.contains(c.name.toLower())) << c.name.toStdString();
        names.insert(c.name.toLower());
        EXPECT_FALSE(c.accepts("ver_3").isEmpty()) << c.name.toStdString();
    }
    EXPECT_EQ((*findControl("rpm_max_to_petrol"))->name, "RPM_Max_To_Petrol");
    const auto unknown = findControl("Turbo_boost");
    ASSERT_FALSE(unknown);
    EXPECT_TRUE(unknown.error().contains("Turbo_boost"));
    EXPECT_TRUE(unknown.error().contains("RPM_Max_To_Petrol"));
}

TEST(Catalogue, SpinnersCheckTheirRangeAndSendAsTheWindowDoes) {
    EXPECT_EQ(set("RPM_Max_To_Petrol", "6550")->commands[0], bytes({0x41, 65, 50}));
    const auto high = set("RPM_Max_To_Petrol", "13000");
    ASSERT_FALSE(high);
    EXPECT_EQ(high.error(), "RPM_Max_To_Petrol: 13000 is out of range 0..12000");
    const auto word = set("P_pracy_changer", "much");
    ASSERT_FALSE(word);
    EXPECT_EQ(word.error(), "P_pracy_changer: \"much\" is not a number");
    EXPECT_FALSE(set("P_pracy_changer", "0.39"));
    EXPECT_EQ(set("P_pracy_changer", "1.25")->commands[0], bytes({0x2B, 125}));
    EXPECT_EQ(set("Min_Temp_Petrol_changer", "-25")->commands[0], bytes({0x37, 0xE7}));
    EXPECT_FALSE(set("Min_Temp_Petrol_changer", "-26"));
    EXPECT_EQ(set("Sel_RPM_signal", "11.6")->retryCount, 9);
    // Only a point is a decimal separator here; "1,25" is not a number.
    EXPECT_FALSE(set("P_pracy_changer", "1,25"));
}

TEST(Catalogue, SwitchOverTimeLimitAndWidthFollowTheFirmware) {
    const auto old = set("T_przel_to_LPG", "120", "ver_1");
    ASSERT_FALSE(old);
    EXPECT_TRUE(old.error().contains("0..60"));
    EXPECT_EQ(set("T_przel_to_LPG", "45", "ver_1")->commands[0], bytes({0x22, 90}));
    EXPECT_EQ(set("T_przel_to_LPG", "300", "ver_2")->commands[0], bytes({0x22, 0x02, 0x58}));
    EXPECT_FALSE(set("T_przel_to_LPG", "301", "ver_2"));
    const auto unknown = set("T_przel_to_LPG", "45", "");
    ASSERT_FALSE(unknown);
    EXPECT_TRUE(unknown.error().contains("nothing is sent"));
    EXPECT_EQ(control("T_przel_to_LPG").maximumFor(""), 800);
}

TEST(Catalogue, SelectionsByTextOrIndex) {
    EXPECT_EQ(set("Sel_Typ_wtrysku", "stefanelli")->commands[0], bytes({0x0E, 0}));
    EXPECT_EQ(set("Sel_Typ_wtrysku", "Rail Horizon 2,8 Ohm")->commands[0], bytes({0x0E, 13}));
    EXPECT_EQ(set("Sel_Typ_wtrysku", "9")->commands[1], bytes({0x24, 6}));
    const auto wrong = set("T_RED_changer", "3 kOhm");
    ASSERT_FALSE(wrong);
    EXPECT_TRUE(wrong.error().contains("1,7 kOhm | 2,2 kOhm"));
    EXPECT_EQ(set("T_GAZ_changer", "4,7 kOhm")->commands[0], bytes({0x18, 5}));
    EXPECT_EQ(set("Sel_cyl", "5 cyl.")->commands[0], bytes({0x1B, 4}));
    EXPECT_EQ(set("Sel_cyl", "5 cyl.")->cylinderMask, 0x1F);
    EXPECT_EQ(set("LPG_CNG_RadioButton", "cng")->commands[0], bytes({0x33, 1}));
    EXPECT_EQ(set("CNG_RadioButton", "LPG")->commands[0], bytes({0x33, 0}));
    EXPECT_FALSE(set("LPG_CNG_RadioButton", "cng")->retryCount);
    EXPECT_EQ(set("Full_group_CheckBox", "on")->commands[0], bytes({0x43, 2}));
    EXPECT_EQ(set("Grzalka_CheckBox", "0")->commands[0], bytes({0x45, 0}));
    EXPECT_FALSE(set("Grzalka_CheckBox", "maybe"));
}

TEST(Catalogue, AFourCylinderControllerRefusesTheLongerItems) {
    const ConfigValues four = decodeConfigImage(imageWith({{28, 4}, {344, 3}}), "ver_3");
    const auto six = set("Sel_cyl", "6 cyl.", "ver_3", &four);
    ASSERT_FALSE(six);
    EXPECT_TRUE(six.error().contains("first 2 items"));
    EXPECT_TRUE(set("Sel_cyl", "4 cyl.", "ver_3", &four));
    EXPECT_FALSE(set("Sel_Impuls", "5 cyl.", "ver_3", &four));
    EXPECT_TRUE(set("Sel_Impuls", "5 cyl."));
}

TEST(Catalogue, FuelSwitchUsesTheConfiguredCylinders) {
    const ConfigValues four = decodeConfigImage(imageWith({{344, 3}}), "ver_3");
    EXPECT_EQ(set("paliwo_Switch", "LPG", "ver_3", &four)->commands[0], bytes({0x03, 0x03, 0x0F}));
    EXPECT_EQ(set("paliwo_Switch", "PB", "ver_3", &four)->commands[0], bytes({0x03, 0x02, 0x0F}));
    EXPECT_FALSE(set("paliwo_Switch", "LPG"));
    EXPECT_EQ(set("Cyl_0_led..Cyl_5_led", "1 3 4")->commands[0], bytes({0x03, 0x03, 0x0D}));
    EXPECT_EQ(set("Cyl_0_led..Cyl_5_led", "none")->commands[0], bytes({0x03, 0x03, 0x00}));
    EXPECT_FALSE(set("Cyl_0_led..Cyl_5_led", "7"));
}

TEST(Catalogue, SetsOfCorrectionsBanksAndThresholds) {
    EXPECT_EQ(set("Kor_1..kor_6", "-3,0,5,20,-20,1")->commands[0],
              bytes({0x35, 125, 128, 133, 148, 108, 129, 0x80, 0x80}));
    const auto five = set("Kor_1..kor_6", "1 2 3 4 5");
    ASSERT_FALSE(five);
    EXPECT_TRUE(five.error().contains("expected six values, got 5"));
    EXPECT_FALSE(set("Kor_1..kor_6", "0 0 0 0 0 21"));
    EXPECT_EQ(set("Bank_1..Bank_6", "BANK1 BANK2 BANK1 BANK2 BANK1 BANK2")->commands[0],
              bytes({0x51, 0xD5}));
    EXPECT_EQ(set("Bank_1..Bank_6", "1,2,1,2,1,2")->commands[0], bytes({0x51, 0xD5}));
    EXPECT_FALSE(set("Bank_1..Bank_6", "BANK3 1 1 1 1 1"));

    // The window enters the group before writing a set, and leaves it after.
    EXPECT_EQ(set("Ch_U_LPG", "50-0 kOhm")->commands, (Commands{bytes({0x31, 0x01}),
                                                                bytes({0x0D, 209, 158, 102, 46, 3}),
                                                                bytes({0x31, 0x00}),
                                                                {},
                                                                {}}));
    EXPECT_EQ(set("Ch_U_LPG", "HAL2 0.7 1.5 2.55 2.8")->commands[1],
              bytes({0x0D, 36, 76, 130, 143, 43}));
    EXPECT_EQ(set("Ch_U_LPG", "3 4.1 3.1 2 0.9")->commands[1], bytes({0x0D, 209, 158, 102, 46, 3}));
    EXPECT_EQ(set("Ch_U_LPG", "5")->commands[1], bytes({0x0D, 36, 76, 112, 143, 43}));
    EXPECT_FALSE(set("Ch_U_LPG", "4.1 3.1 2 0.9"));
    EXPECT_FALSE(set("Ch_U_LPG", "HAL2 6 1 1 1"));
    EXPECT_FALSE(set("Ch_U_LPG", "HAL2 1 1"));
    EXPECT_EQ(set("Rodz_czuj_LPG", "HAL2")->commands, (Commands{bytes({0x31, 0x01}),
                                                                bytes({0x0D, 36, 76, 112, 143, 43}),
                                                                bytes({0x31, 0x00}),
                                                                {},
                                                                {}}));
}

TEST(Catalogue, TheDisabledPressureSensorIsShownButNotSet) {
    const auto attempt = set("P1_MAP_changer", "OMVI 01");
    ASSERT_FALSE(attempt);
    EXPECT_TRUE(attempt.error().contains("cannot be changed"));
    const ConfigValues v = decodeConfigImage(imageWith({{355, 4}}), "ver_3");
    EXPECT_EQ(control("P1_MAP_changer").shown(v), "OMVI 01");
}

TEST(Catalogue, ShownValuesFollowTheWindowsFormats) {
    const ConfigValues v = decodeConfigImage(
        imageWith({{346, 65},  {1021, 50}, {647, 0xE7}, {1284, 0x40}, {650, 204}, {357, 35},
                   {351, 3},   {347, 209}, {348, 158},  {349, 102},   {350, 46},  {638, 125},
                   {885, 128}, {886, 133}, {887, 148},  {888, 108},   {889, 129}, {1347, 0x15},
                   {344, 3},   {367, 13},  {364, 91},   {1023, 7}}),
        "ver_3");
    const auto shown = [&v](const char* name) { return control(name).shown(v).value_or("?"); };
    EXPECT_EQ(shown("RPM_Max_To_Petrol"), "6550");
    EXPECT_EQ(shown("Min_Temp_Petrol_changer"), "-25");
    EXPECT_EQ(shown("Mazda_changer"), "50");
    EXPECT_EQ(shown("Sel_RPM_signal"), "12.0");
    EXPECT_EQ(shown("Temp_LPG_changer"), "35.0");
    EXPECT_EQ(shown("T_przel_to_LPG"), "46");  // 45.5 s on a whole-second spinner
    EXPECT_EQ(shown("Ch_U_LPG"), "50-0 kOhm 4.10 3.10 2.00 0.90");
    EXPECT_EQ(shown("Kor_1..kor_6"), "-3 0 5 20 -20 1");
    EXPECT_EQ(shown("Bank_1..Bank_6"), "BANK1 BANK2 BANK1 BANK2 BANK1 BANK2");
    EXPECT_EQ(shown("Sel_cyl"), "4 cyl.");
    EXPECT_EQ(shown("Cyl_0_led..Cyl_5_led"), "1 2 3 4");
    EXPECT_EQ(shown("Sel_Typ_wtrysku"), "Rail Horizon 2,8 Ohm   ");
    EXPECT_EQ(shown("Full_group_CheckBox"), "?");  // byte 7: the box keeps its state
    EXPECT_EQ(shown("Sel_Typ_silnika"), "Standard");
}

TEST(Catalogue, WhatAConfigurationShowsCanBeTypedBack) {
    const ConfigValues v = decodeConfigImage(
        imageWith({{346, 65},  {1021, 50}, {345, 12},  {646, 10},  {647, 0xE7}, {1284, 0x40},
                   {650, 204}, {357, 35},  {358, 125}, {362, 60},  {363, 10},   {365, 5},
                   {1025, 7},  {351, 33},  {347, 209}, {348, 158}, {349, 102},  {350, 46},
                   {638, 128}, {885, 128}, {886, 128}, {887, 128}, {888, 128},  {889, 128},
                   {344, 3},   {367, 13},  {364, 90},  {352, 1},   {353, 2},    {343, 2}}),
        "ver_3");
    for (const Control& c : controlCatalogue()) {
        const auto text = c.shown(v);
        if (!text || c.readOnly) {
            continue;
        }
        const auto value = c.parse(*text, "ver_3");
        EXPECT_TRUE(value.ok()) << c.name.toStdString() << ": " << value.error().toStdString();
    }
}
