#include "link/port_list.h"

#include <QRegularExpression>
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

// Natural order: runs of digits compare by value, so "COM2" comes before "COM10".
bool naturalLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).isDigit()) {
                ++ei;
            }
            while (ej < b.size() && b.at(ej).isDigit()) {
                ++ej;
            }
            const QString na = a.mid(i, ei - i).remove(QRegularExpression(QStringLiteral("^0+")));
            const QString nb = b.mid(j, ej - j).remove(QRegularExpression(QStringLiteral("^0+")));
            if (na.size() != nb.size()) {
                return na.size() < nb.size();
            }
            if (na != nb) {
                return na < nb;
            }
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a.at(i).toLower();
        const QChar cb = b.at(j).toLower();
        if (ca != cb) {
            return ca < cb;
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
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
    std::sort(names.begin(), names.end(), naturalLess);
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
