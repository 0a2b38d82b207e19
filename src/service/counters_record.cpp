#include "service/counters_record.h"

#include "link/bytes.h"
#include "model/number_format.h"

namespace omvi::service {

namespace {

constexpr std::int64_t kMsPerCode = 864;  // 86400000 ms / 100000
constexpr std::int64_t kCodesPerDay = 100000;
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kEpochDay = 36000;  // 1998-07-24 as a day number from 1899-12-30
constexpr std::int64_t kHalfSecondsPerHour = 7200;

QDate dayZero() {
    return QDate(1899, 12, 30);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

std::optional<std::uint32_t> dword(const QByteArray& record, int offset) {
    if (offset + 3 >= record.size()) {
        return std::nullopt;
    }
    return dwordLe(record, offset);
}

std::optional<std::int32_t> dateCodeAt(const QByteArray& record, int offset) {
    const auto raw = dword(record, offset);
    if (!raw) {
        return std::nullopt;
    }
    const auto code = static_cast<std::int32_t>(*raw);
    return code == 0 ? kNeverDateCode : code;
}

}  // namespace

std::uint32_t dateCode(const QDateTime& wallClock) {
    const std::int64_t days = dayZero().daysTo(wallClock.date()) - kEpochDay;
    const std::int64_t ms = days * kMsPerDay + wallClock.time().msecsSinceStartOfDay();
    std::int64_t code = floorDiv(ms, kMsPerCode);
    const std::int64_t rest = ms - code * kMsPerCode;
    if (2 * rest > kMsPerCode || (2 * rest == kMsPerCode && code % 2 != 0)) {
        ++code;
    }
    return static_cast<std::uint32_t>(code);
}

QDateTime dateFromCode(std::int32_t code) {
    const std::int64_t c = code == 0 ? kNeverDateCode : code;
    const std::int64_t days = floorDiv(c, kCodesPerDay);
    const std::int64_t rest = c - days * kCodesPerDay;
    return QDateTime(dayZero().addDays(kEpochDay + days),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest * kMsPerCode)));
}

bool isNeverDate(const QDateTime& wallClock) {
    return static_cast<std::int32_t>(dateCode(wallClock)) == kNeverDateCode &&
           wallClock.time().msecsSinceStartOfDay() == 0;
}

QByteArray codeBytes(std::uint32_t value) {
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

CountersRecord decodeCountersRecord(const QByteArray& record) {
    CountersRecord r;
    r.length = static_cast<int>(record.size());
    r.petrolHalfSeconds = dword(record, 0);
    r.gasHalfSeconds = dword(record, 4);
    if (r.petrolHalfSeconds) {
        r.petrolSeconds = *r.petrolHalfSeconds / 2;
        r.serviceField1 = record.mid(0, 4);
    }
    if (r.gasHalfSeconds) {
        r.gasSeconds = *r.gasHalfSeconds / 2;
        r.serviceField2 = record.mid(4, 4);
    }
    if (r.petrolSeconds && r.gasSeconds) {
        const auto g = static_cast<double>(*r.gasSeconds);
        r.gasSharePercent =
            *r.gasSeconds != 0 ? g / (g + static_cast<double>(*r.petrolSeconds)) * 100 : 0.0;
    }
    r.dueMarkHalfSeconds = dword(record, 16);
    if (r.dueMarkHalfSeconds) {
        r.dueSeconds = *r.dueMarkHalfSeconds / 2;
        r.dueMarkAsRead = static_cast<std::uint32_t>(2 * *r.dueSeconds);
    }
    if (record.size() > 64) {
        r.reminderOn = (byteAt(record, 64) & 0x01) != 0;
    }
    r.lastPcCode = dateCodeAt(record, 31);
    r.firstAdaptationCode = dateCodeAt(record, 42);
    r.lastAdaptationCode = dateCodeAt(record, 53);
    if (r.lastPcCode) {
        r.lastPc = dateFromCode(*r.lastPcCode);
        r.serviceField4 = codeBytes(static_cast<std::uint32_t>(*r.lastPcCode));
    }
    if (r.firstAdaptationCode) {
        r.firstAdaptation = dateFromCode(*r.firstAdaptationCode);
    }
    if (r.lastAdaptationCode) {
        r.lastAdaptation = dateFromCode(*r.lastAdaptationCode);
    }
    return r;
}

QByteArray serviceDueField(double serviceHours, std::int64_t gasSeconds) {
    const std::int64_t mark =
        model::roundHalfEven(serviceHours) * kHalfSecondsPerHour + 2 * gasSeconds;
    return codeBytes(static_cast<std::uint32_t>(mark));
}

QByteArray countersReadCommand() {
    return bytes({0x3C, 0x00});
}

QByteArray recordWriteCommand(std::uint32_t lastPcCode, std::uint32_t firstAdaptationCode,
                              std::uint32_t lastAdaptationCode, bool reminderOn) {
    QByteArray w(1, ';');
    w += QByteArray(8, '\0');   // record bytes 8..15
    w += QByteArray(11, '\0');  // 20..30
    w += codeBytes(lastPcCode);
    w += QByteArray(7, '\0');  // 35..41
    w += codeBytes(firstAdaptationCode);
    w += QByteArray(7, '\0');  // 46..52
    w += codeBytes(lastAdaptationCode);
    w += QByteArray(7, '\0');  // 57..63
    w += static_cast<char>(reminderOn ? 0x01 : 0x00);
    return w;
}

std::optional<ConnectionStamp> connectionStamp(const CountersRecord& record, const QDateTime& now) {
    if (!record.firstAdaptationCode || !record.lastAdaptationCode || !record.reminderOn ||
        !record.dueMarkAsRead) {
        return std::nullopt;
    }
    ConnectionStamp stamp;
    stamp.command.commands[0] = recordWriteCommand(
        dateCode(now), static_cast<std::uint32_t>(*record.firstAdaptationCode),
        static_cast<std::uint32_t>(*record.lastAdaptationCode), *record.reminderOn);
    stamp.serviceField3 = codeBytes(*record.dueMarkAsRead);
    return stamp;
}

std::optional<ServiceDue> serviceDue(const CountersRecord& record) {
    if (!record.reminderOn || !record.dueSeconds || !record.gasSeconds) {
        return std::nullopt;
    }
    ServiceDue due;
    if (!*record.reminderOn || *record.dueSeconds == 0) {
        return due;
    }
    due.active = true;
    due.overdue = *record.gasSeconds > *record.dueSeconds;
    due.seconds = due.overdue ? *record.gasSeconds - *record.dueSeconds
                              : *record.dueSeconds - *record.gasSeconds;
    return due;
}

}  // namespace omvi::service
