// The current and the recorded error lists.
#include "service/error_list.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "link/bytes.h"

using namespace omvi;
using namespace omvi::service;

namespace {

// Rows 0..10 of the English column.
QString english(int row) {
    static const QStringList rows{
        " - Voltage error",
        " - LPG pressure too high",
        " - LPG pressure too low",
        " - Ignition voltage too low",
        " - Fuel injection signal error",
        " - Incorrect Work Petrol Controller",
        " - Injector Error :",
        " - Incorrect settings",
        " - Voltage error",
        " - Too long gas injection time",
        " - Bl\u00B9d czasow pracy(GB)",
    };
    return rows.value(row, QStringLiteral("<no row %1>").arg(row));
}

QString lines(const std::vector<ErrorEntry>& entries) {
    return errorLines(entries, english);
}

// A complete image with the given register bytes at `start`.
QByteArray imageWithRegister(int start, const QByteArray& registerBytes) {
    QByteArray image(1354, static_cast<char>(0xFF));
    image.replace(start, registerBytes.size(), registerBytes);
    return image;
}

}  // namespace

TEST(ActualErrors, ClearBitsInTableOrder) {
    EXPECT_EQ(lines(actualErrors(0xF9, 0xFF, 0xFF)),
              "1 - Too long gas injection time\r\n2 - Voltage error\r\n");
    EXPECT_EQ(lines(actualErrors(0xFF, 0xFA, 0xFF)),
              "1 - Incorrect settings\r\n2 - Bl\u00B9d czasow pracy(GB)\r\n");
    // Bit 0 of byte 50 and bits 3..7 of byte 51 name no error.
    EXPECT_TRUE(actualErrors(0xFE, 0x07, 0xFF).empty());
}

TEST(ActualErrors, InjectorLineListsTheFaultyCylinders) {
    EXPECT_EQ(lines(actualErrors(0xFF, 0xFF, 0xFA)), "1 - Injector Error : 1 3\r\n");
    EXPECT_EQ(lines(actualErrors(0xFF, 0xFF, 0x3F)), "1 - Injector Error :\r\n");
    EXPECT_EQ(lines(actualErrors(0x7F, 0xFF, 0xC0)),
              "1 - Incorrect Work Petrol Controller\r\n2 - Injector Error : 1 2 3 4 5 6\r\n");
}

TEST(ActualErrors, AllBitsSetGivesAnEmptyList) {
    EXPECT_TRUE(actualErrors(0xFF, 0xFF, 0xFF).empty());
    EXPECT_EQ(lines({}), "");
    // An all-zero frame (the dashboard reset) lists every error.
    EXPECT_EQ(actualErrors(0x00, 0x00, 0x00).size(), 11u);
}

TEST(RegisteredErrors, OneAndTwoByteEntries) {
    const QByteArray image = imageWithRegister(303, bytes({0x00, 0xFE, 0x03}));
    EXPECT_EQ(lines(registeredErrors(image, "ver_3")),
              "1 - Injector Error : 1\r\n2 - LPG pressure too high\r\n");
    const QByteArray other = imageWithRegister(303, bytes({0x00, 0x05, 0x03, 0xFF}));
    EXPECT_EQ(lines(registeredErrors(other, "ver_1")),
              "1 - Injector Error : 2 4 5 6\r\n2 - LPG pressure too high\r\n");
}

TEST(RegisteredErrors, UnknownCodesAreSkipped) {
    const QByteArray image = imageWithRegister(303, bytes({0x0B, 0x0A, 0xFF, 0x01}));
    EXPECT_EQ(registeredErrors(image, "ver_3"), (std::vector<ErrorEntry>{{10, {}}, {1, {}}}));
}

TEST(RegisteredErrors, TheSecondGenerationReadsFourteenBytesLater) {
    QByteArray image(1354, static_cast<char>(0xFF));
    image[303] = 2;
    image[317] = 5;
    image[318] = 6;
    EXPECT_EQ(registeredErrors(image, "ver_3"),
              (std::vector<ErrorEntry>{{2, {}}, {5, {}}, {6, {}}}));
    EXPECT_EQ(registeredErrors(image, "ver_2"), (std::vector<ErrorEntry>{{5, {}}, {6, {}}}));
    EXPECT_EQ(registeredErrors(image, ""), registeredErrors(image, "ver_1"));
}

TEST(RegisteredErrors, AnInjectorEntryInTheLastPlaceReadsItsCylinderByteAfterTheRegister) {
    for (const char* variant : {"ver_2", "ver_3"}) {
        const int start = QString(variant) == "ver_2" ? 317 : 303;
        QByteArray image(1354, static_cast<char>(0xFF));
        image[start + 39] = 0x00;
        image[start + 40] = static_cast<char>(0xDF);  // cylinder 6
        image[start + 41] = 0x01;                     // beyond: never read
        EXPECT_EQ(registeredErrors(image, variant),
                  (std::vector<ErrorEntry>{{kInjectorErrorCode, {6}}}))
            << variant;
    }
}

TEST(RegisteredErrors, AShortImageGivesOnlyWholeEntries) {
    EXPECT_TRUE(registeredErrors(QByteArray(303, '\0'), "ver_3").empty());
    QByteArray image = imageWithRegister(303, bytes({0x03, 0x00, 0xFE}));
    EXPECT_EQ(registeredErrors(image.left(305), "ver_3"), (std::vector<ErrorEntry>{{3, {}}}));
    EXPECT_EQ(registeredErrors(image.left(306), "ver_3"),
              (std::vector<ErrorEntry>{{3, {}}, {kInjectorErrorCode, {1}}}));
}

TEST(ClearErrors, SendsTheClearCommand) {
    const auto c = clearErrorsCommand();
    EXPECT_EQ(c.commands[0], bytes({0x10, 0x00}));
    EXPECT_TRUE(c.commands[1].isEmpty());
    EXPECT_EQ(c.retryCount, 5);
}
