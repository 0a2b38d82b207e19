// The firmware variants as data: what differs in behaviour, and that only the three known
// variant texts match.
#include "model/firmware_variant.h"

#include <gtest/gtest.h>

using namespace omvi::model;

TEST(FirmwareVariant, SwitchOverTimeRegisterAndPagesByGeneration) {
    const VariantProfile one = *profileFor("ver_1");
    const VariantProfile two = *profileFor("ver_2");
    const VariantProfile three = *profileFor("ver_3");
    EXPECT_EQ(one.switchOverTimeMaximum, 60);
    EXPECT_EQ(two.switchOverTimeMaximum, 300);
    EXPECT_EQ(three.switchOverTimeMaximum, 300);
    EXPECT_EQ(one.errorRegisterStart, 303);
    EXPECT_EQ(two.errorRegisterStart, 317);
    EXPECT_EQ(three.errorRegisterStart, 303);
    EXPECT_TRUE(one.helpTabVisible && !one.serviceTabVisible && !one.correctionsPanelVisible);
    EXPECT_TRUE(!two.helpTabVisible && two.serviceTabVisible && two.correctionsPanelVisible);
    EXPECT_EQ(two.settingsBlockFirst + two.settingsBlockLength, 575);
    EXPECT_EQ(three.settingsBlockFirst + three.settingsBlockLength, 1354);
}

TEST(FirmwareVariant, UnknownTextsMatchNothingAndTheFormKeepsItsDefaults) {
    EXPECT_FALSE(profileFor(""));
    EXPECT_FALSE(profileFor("ver_4"));
    EXPECT_FALSE(profileFor("VER_1"));
    EXPECT_EQ(formDefaults().switchOverTimeMaximum, 800);
    EXPECT_FALSE(formDefaults().serviceTabVisible);
    EXPECT_EQ(errorRegisterStart(""), 303);
    EXPECT_EQ(errorRegisterStart("ver_2"), 317);
}
