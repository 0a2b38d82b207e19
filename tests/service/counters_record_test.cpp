// The counters record: operating times, the due mark, the dates and the record writes.
#include "service/counters_record.h"

#include <gtest/gtest.h>

#include "link/bytes.h"
#include "link_fixture.h"
#include "sim/ecu_simulator.h"

using namespace omvi;
using namespace omvi::service;

namespace {

QByteArray recordWith(std::uint32_t petrol, std::uint32_t gas, std::uint32_t due, std::uint32_t pc,
                      std::uint32_t first, std::uint32_t last, int flags) {
    QByteArray r(65, '\0');
    r.replace(0, 4, codeBytes(petrol));
    r.replace(4, 4, codeBytes(gas));
    r.replace(16, 4, codeBytes(due));
    r.replace(31, 4, codeBytes(pc));
    r.replace(42, 4, codeBytes(first));
    r.replace(53, 4, codeBytes(last));
    r[64] = static_cast<char>(flags);
    return r;
}

// What the link makes of a record write: service fields 1 and 2 after the ';', field 3 after the
// next eight bytes.
QByteArray spliced(const QByteArray& write, const QByteArray& f1, const QByteArray& f2,
                   const QByteArray& f3) {
    return write.left(1) + f1 + f2 + write.mid(1, 8) + f3 + write.mid(9, 45);
}

}  // namespace

TEST(CountersDecode, OperatingTimesInWholeSeconds) {
    const CountersRecord r = decodeCountersRecord(recordWith(7200, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(r.petrolSeconds, 3600);
    EXPECT_EQ(r.gasSeconds, 0);
    EXPECT_EQ(r.gasSharePercent, 0.0);
    const CountersRecord g = decodeCountersRecord(recordWith(2, 3, 0, 0, 0, 0, 0));
    EXPECT_EQ(g.gasSeconds, 1);  // halves are cut off
    EXPECT_DOUBLE_EQ(*g.gasSharePercent, 50.0);
    const CountersRecord big = decodeCountersRecord(recordWith(0xFFFFFFFF, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(big.petrolSeconds, 0x7FFFFFFF);  // unsigned: never negative
}

TEST(CountersDecode, DueMarkKeepsItsLowestBitCleared) {
    const CountersRecord r = decodeCountersRecord(recordWith(0, 0, 1001, 0, 0, 0, 1));
    EXPECT_EQ(r.dueMarkHalfSeconds, 1001u);
    EXPECT_EQ(r.dueSeconds, 500);
    EXPECT_EQ(r.dueMarkAsRead, 1000u);
    EXPECT_EQ(r.reminderOn, true);
    EXPECT_EQ(decodeCountersRecord(recordWith(0, 0, 0, 0, 0, 0, 0xFE)).reminderOn, false);
}

TEST(CountersDecode, ServiceReminderState) {
    const auto overdue = serviceDue(decodeCountersRecord(recordWith(0, 2000, 1000, 0, 0, 0, 1)));
    EXPECT_TRUE(overdue->active);
    EXPECT_TRUE(overdue->overdue);
    EXPECT_EQ(overdue->seconds, 500);
    const auto ahead = serviceDue(decodeCountersRecord(recordWith(0, 1000, 7200, 0, 0, 0, 1)));
    EXPECT_FALSE(ahead->overdue);
    EXPECT_EQ(ahead->seconds, 3100);
    EXPECT_FALSE(serviceDue(decodeCountersRecord(recordWith(0, 1000, 7200, 0, 0, 0, 0)))->active);
    EXPECT_FALSE(serviceDue(decodeCountersRecord(recordWith(0, 1000, 1, 0, 0, 0, 1)))->active);
}

TEST(CountersDecode, ZeroDateMeansNever) {
    const CountersRecord r = decodeCountersRecord(recordWith(0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(r.firstAdaptationCode, kNeverDateCode);
    EXPECT_EQ(r.firstAdaptation->date(), QDate(2011, 7, 6));
    EXPECT_EQ(r.firstAdaptation->time(), QTime(0, 0));
    EXPECT_TRUE(isNeverDate(*r.firstAdaptation));
    EXPECT_EQ(r.lastPc->date(), QDate(2011, 7, 6));
    // Field 4 carries the code as replaced, so the next write stores 473000000.
    EXPECT_EQ(r.serviceField4, codeBytes(473000000));
}

TEST(CountersDecode, ServiceFieldsAreTheBytesAsReceived) {
    const QByteArray record = recordWith(0x01020304, 0x0A0B0C0D, 0, 123456789, 0, 0, 0);
    const CountersRecord r = decodeCountersRecord(record);
    EXPECT_EQ(r.serviceField1, record.mid(0, 4));
    EXPECT_EQ(r.serviceField2, record.mid(4, 4));
    EXPECT_EQ(r.serviceField4, codeBytes(123456789));
    EXPECT_EQ(serviceDueField(25, 100), codeBytes(25 * 7200 + 200));
    EXPECT_EQ(serviceDueField(2.5, 0), codeBytes(2 * 7200));  // hours rounded half to even
}

TEST(DateCode, DaysFrom1998InHundredThousandthsRoundedHalfToEven) {
    EXPECT_EQ(dateCode(QDateTime(QDate(1998, 7, 24), QTime(0, 0))), 0u);
    EXPECT_EQ(dateCode(QDateTime(QDate(1998, 7, 25), QTime(0, 0))), 100000u);
    EXPECT_EQ(dateCode(QDateTime(QDate(2011, 7, 6), QTime(0, 0))), 473000000u);
    // 0.432 s is half a step: to the even code; 1.296 s is one and a half: up to 2.
    EXPECT_EQ(dateCode(QDateTime(QDate(1998, 7, 24), QTime(0, 0, 0, 432))), 0u);
    EXPECT_EQ(dateCode(QDateTime(QDate(1998, 7, 24), QTime(0, 0, 1, 296))), 2u);
    EXPECT_EQ(dateCode(QDateTime(QDate(1998, 7, 24), QTime(0, 0, 0, 433))), 1u);
}

TEST(DateCode, ReadingIsExactToTheStep) {
    const QDateTime t(QDate(2024, 3, 15), QTime(12, 34, 56, 789));
    const std::uint32_t code = dateCode(t);
    const QDateTime back = dateFromCode(static_cast<std::int32_t>(code));
    EXPECT_LE(std::abs(back.msecsTo(t)), 432);
    EXPECT_EQ(dateCode(back), code);
    EXPECT_EQ(dateFromCode(100000 + 50000).time(), QTime(12, 0));
    // Codes are signed: a negative one lies before 1998-07-24.
    EXPECT_EQ(dateFromCode(-100000).date(), QDate(1998, 7, 23));
    EXPECT_FALSE(isNeverDate(dateFromCode(kNeverDateCode + 1)));
}

TEST(RecordWrite, CarriesTheDatesAndFlagAtTheirRecordPlaces) {
    const QByteArray write = recordWriteCommand(0x11111111, 0x22222222, 0x33333333, true);
    ASSERT_EQ(write.size(), 54);
    EXPECT_EQ(write.at(0), ';');
    const QByteArray record =
        spliced(write, codeBytes(7200), codeBytes(10), codeBytes(5000)).mid(1);
    ASSERT_EQ(record.size(), kCountersRecordLength);
    const CountersRecord r = decodeCountersRecord(record);
    EXPECT_EQ(r.petrolSeconds, 3600);
    EXPECT_EQ(r.gasSeconds, 5);
    EXPECT_EQ(r.dueMarkHalfSeconds, 5000u);
    EXPECT_EQ(r.lastPcCode, 0x11111111);
    EXPECT_EQ(r.firstAdaptationCode, 0x22222222);
    EXPECT_EQ(r.lastAdaptationCode, 0x33333333);
    EXPECT_EQ(r.reminderOn, true);
    EXPECT_EQ(countersReadCommand(), bytes({0x3C, 0x00}));
}

TEST(ConnectionStamp, StampsNowAndKeepsTheRestAsRead) {
    const QDateTime now(QDate(2024, 3, 15), QTime(8, 0));
    const CountersRecord r =
        decodeCountersRecord(recordWith(100, 200, 1001, 55, 0, 480000000, 0x01));
    const auto stamp = connectionStamp(r, now);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->command.retryCount, 5);
    EXPECT_EQ(stamp->serviceField3, codeBytes(1000));
    EXPECT_EQ(stamp->command.commands[0],
              recordWriteCommand(dateCode(now), kNeverDateCode, 480000000, true));
    EXPECT_TRUE(stamp->command.commands[1].isEmpty());
}

TEST(ShortRecords, MissingFieldsAreAbsentAndNoWriteIsBuiltFromThem) {
    const QByteArray full = recordWith(7200, 3, 1001, 5, 6, 7, 1);
    for (int length = 0; length <= full.size(); ++length) {
        const CountersRecord r = decodeCountersRecord(full.left(length));
        EXPECT_EQ(r.length, length);
        EXPECT_EQ(r.petrolSeconds.has_value(), length >= 4) << length;
        EXPECT_EQ(r.serviceField2.has_value(), length >= 8) << length;
        EXPECT_EQ(r.dueMarkAsRead.has_value(), length >= 20) << length;
        EXPECT_EQ(r.serviceField4.has_value(), length >= 35) << length;
        EXPECT_EQ(r.lastAdaptation.has_value(), length >= 57) << length;
        EXPECT_EQ(r.reminderOn.has_value(), length >= 65) << length;
        EXPECT_EQ(connectionStamp(r, QDateTime::currentDateTime()).has_value(), length >= 65)
            << length;
    }
}

// The stamp queued at connection reaches the simulated controller as a whole 65-byte record.
TEST(SimulatedController, ReceivesTheConnectionStampAsACompleteRecord) {
    test::LinkRig rig;
    sim::EcuSimulator ecu;
    rig.port.connectTo(ecu);
    ASSERT_TRUE(rig.connect());
    const CountersRecord read = decodeCountersRecord(recordWith(7200, 3, 1001, 0, 0, 0, 1));
    rig.link.setSlot(link::Link::kServiceField1, *read.serviceField1);
    rig.link.setSlot(link::Link::kServiceField1 + 1, *read.serviceField2);
    const QDateTime now(QDate(2024, 3, 15), QTime(8, 0));
    const auto stamp = connectionStamp(read, now);
    ASSERT_TRUE(stamp);
    rig.link.setSlot(link::Link::kServiceField1 + 2, stamp->serviceField3);
    rig.link.setRetryCount(*stamp->command.retryCount);
    rig.link.send_com(stamp->command.commands);
    ASSERT_TRUE(rig.clock.runUntil(
        [&] {
            const auto& got = ecu.receivedCommands();
            return !got.isEmpty() && got.last().startsWith(';');
        },
        10000));
    const QByteArray received = ecu.receivedCommands().last();
    ASSERT_EQ(received.size(), 1 + kCountersRecordLength);
    const CountersRecord written = decodeCountersRecord(received.mid(1));
    EXPECT_EQ(written.petrolSeconds, 3600);
    EXPECT_EQ(written.gasSeconds, 1);
    EXPECT_EQ(written.dueMarkHalfSeconds, 1000u);
    EXPECT_EQ(written.lastPcCode, static_cast<std::int32_t>(dateCode(now)));
    EXPECT_EQ(written.firstAdaptationCode, kNeverDateCode);
    EXPECT_EQ(written.reminderOn, true);
}
