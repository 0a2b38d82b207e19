// The port menu's list: trimmed, without duplicates, in natural order, at most thirty.
#include "link/port_list.h"

#include <gtest/gtest.h>

using omvi::link::portMenuNames;

TEST(PortList, TrimsDropsEmptyAndDuplicateNames) {
    EXPECT_EQ(portMenuNames({" COM3\r\n", "COM3", "", "\t", "ttyUSB0 "}),
              (QStringList{"COM3", "ttyUSB0"}));
}

TEST(PortList, SortsNumbersByValue) {
    EXPECT_EQ(portMenuNames({"COM10", "COM2", "COM1", "ttyS1", "ttyACM0", "ttyS10", "ttyS2"}),
              (QStringList{"COM1", "COM2", "COM10", "ttyACM0", "ttyS1", "ttyS2", "ttyS10"}));
}

TEST(PortList, OffersAtMostThirty) {
    QStringList many;
    for (int i = 40; i >= 1; --i) {
        many.append(QStringLiteral("COM%1").arg(i));
    }
    const QStringList names = portMenuNames(many);
    ASSERT_EQ(names.size(), 30);
    EXPECT_EQ(names.first(), "COM1");
    EXPECT_EQ(names.last(), "COM30");
    EXPECT_FALSE(names.contains("COM31"));
}
