#pragma once
// The controller's 65-byte counters record: operating times on petrol and gas, the service-due
// mark, the dates of the first and last adaptation and of the last PC connection, and the
// service-reminder flag. Decoding, the date code, and the record writes.
//
// A record shorter than 65 bytes decodes what it holds: a field whose bytes are missing is absent
// rather than 0, and a write that would need a missing field is not built, so a short answer can
// never reset a counter or a date in the controller.

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <optional>

#include "model/settings_commands.h"

namespace omvi::service {

inline constexpr int kCountersRecordLength = 65;
// A stored date code of 0 means "never" and reads as this code: 2011-07-06 00:00, the marker of
// an unset first-adaptation date.
inline constexpr std::int32_t kNeverDateCode = 473000000;

struct CountersRecord {
    int length = 0;

    std::optional<std::uint32_t> petrolHalfSeconds;  // bytes 0..3
    std::optional<std::uint32_t> gasHalfSeconds;     // bytes 4..7
    std::optional<std::int64_t> petrolSeconds;       // halves cut off
    std::optional<std::int64_t> gasSeconds;
    std::optional<double> gasSharePercent;  // 0 while there is no gas time

    std::optional<std::uint32_t> dueMarkHalfSeconds;  // bytes 16..19 as stored
    std::optional<std::int64_t> dueSeconds;           // the mark in whole seconds of gas time
    std::optional<std::uint32_t> dueMarkAsRead;       // 2 x dueSeconds: lowest bit cleared
    std::optional<bool> reminderOn;                   // byte 64 bit 0

    // Date codes after the "never" rule, and their wall-clock dates.
    std::optional<std::int32_t> lastPcCode;           // bytes 31..34
    std::optional<std::int32_t> firstAdaptationCode;  // bytes 42..45
    std::optional<std::int32_t> lastAdaptationCode;   // bytes 53..56
    std::optional<QDateTime> lastPc;
    std::optional<QDateTime> firstAdaptation;
    std::optional<QDateTime> lastAdaptation;

    // service_fields 1, 2 and 4 as this record sets them; an absent field leaves its slot as it
    // was. Field 3 is the new due mark, computed by the caller (serviceDueField).
    std::optional<QByteArray> serviceField1;
    std::optional<QByteArray> serviceField2;
    std::optional<QByteArray> serviceField4;
};

CountersRecord decodeCountersRecord(const QByteArray& record);

// Date code: 1/100000 day (0.864 s) since 1998-07-24 00:00, of the wall-clock date and time
// (no zone). Converting rounds to the nearest code, a tie to the even one.
std::uint32_t dateCode(const QDateTime& wallClock);
// Local wall-clock date and time of a code; 0 reads as the "never" date.
QDateTime dateFromCode(std::int32_t code);
bool isNeverDate(const QDateTime& wallClock);

// 4 bytes, little-endian.
QByteArray codeBytes(std::uint32_t value);

// service_fields 3 after a record is decoded: the service interval from now, in half-seconds of
// gas time (hours x 7200 + 2 x gas seconds).
QByteArray serviceDueField(double serviceHours, std::int64_t gasSeconds);

// '<' 0x00: reads the record.
QByteArray countersReadCommand();

// The record write as a caller passes it: ';' then record bytes 8..15 and 20..64, all zero but
// the three dates and the flag. The link splices service_fields 1..3 in.
QByteArray recordWriteCommand(std::uint32_t lastPcCode, std::uint32_t firstAdaptationCode,
                              std::uint32_t lastAdaptationCode, bool reminderOn);

// The write queued with the first record after connecting: it stamps `now` as the last PC
// connection and keeps the dates, the due mark and the flag as read.
struct ConnectionStamp {
    model::SettingCommand command;  // the write, as the first queue entry
    QByteArray serviceField3;       // the due mark as read
};
std::optional<ConnectionStamp> connectionStamp(const CountersRecord& record, const QDateTime& now);

// The service reminder as the Service page states it.
struct ServiceDue {
    bool active = false;       // flag on and a due mark set
    bool overdue = false;      // gas time past the mark
    std::int64_t seconds = 0;  // remaining, or past due when overdue
};
std::optional<ServiceDue> serviceDue(const CountersRecord& record);

}  // namespace omvi::service
