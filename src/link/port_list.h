#pragma once
// The serial ports the "Porty" menu offers: those present on the machine and those published by a
// running simulated controller, in natural order ("COM2" before "COM10"), at most thirty.

#include <QStringList>

namespace omvi::link {

inline constexpr int kMaxPortItems = 30;

// The names to offer, from the names found (trimmed of blanks and control characters, empty
// names and duplicates dropped).
QStringList portMenuNames(const QStringList& found);
// The ports present now: QSerialPortInfo's names plus the published simulator ports.
QStringList presentPortNames();

}  // namespace omvi::link
