#include "link/port_list.h"

#include <QCollator>
#include <QSerialPortInfo>

#include "link/published_ports.h"

namespace omvi::link {
namespace {

QString trimmed(const QString& name) {
    qsizetype start = 0;
    qsizetype end = name.size();
    while (start < end &&
           (name.at(start).isSpace() || name.at(start).category() == QChar::Other_Control)) {
        ++start;
    }
    while (end > start &&
           (name.at(end - 1).isSpace() || name.at(end - 1).category() == QChar::Other_Control)) {
        --end;
    }
    return name.mid(start, end - start);
}

}  // namespace

QStringList portMenuNames(const QStringList& found) {
    QStringList names;
    for (const QString& raw : found) {
        const QString name = trimmed(raw);
        if (!name.isEmpty() && !names.contains(name)) {
            names.append(name);
        }
    }
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    if (names.size() > kMaxPortItems) {
        names.resize(kMaxPortItems);
    }
    return names;
}

QStringList presentPortNames() {
    QStringList found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        found.append(info.portName());
    }
    for (const PublishedPort& port : publishedPorts()) {
        found.append(port.name);
    }
    return portMenuNames(found);
}

}  // namespace omvi::link
