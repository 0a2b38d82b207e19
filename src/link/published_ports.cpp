#include "link/published_ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace omvi::link {
namespace {

constexpr int kMaxInstances = 99;

// "omvi-sim" < "omvi-sim-2" < "omvi-sim-10": a trailing number compares by value.
bool naturalLess(const QString& a, const QString& b) {
    auto split = [](const QString& s) {
        qsizetype digits = s.size();
        while (digits > 0 && s.at(digits - 1).isDigit()) {
            --digits;
        }
        const QString tail = s.mid(digits);
        return std::make_pair(s.left(digits), tail.isEmpty() ? -1LL : tail.toLongLong());
    };
    const auto sa = split(a);
    const auto sb = split(b);
    if (sa.first != sb.first) {
        return sa.first < sb.first;
    }
    if (sa.second != sb.second) {
        return sa.second < sb.second;
    }
    return a < b;
}

// The device a link points to, absolute; empty for anything but a symbolic link.
QString linkTarget(const QString& linkPath) {
    const QFileInfo info(linkPath);
    if (!info.isSymLink()) {
        return {};
    }
    return info.symLinkTarget();
}

bool isLive(const QString& target) {
    return !target.isEmpty() && QFileInfo::exists(target);
}

}  // namespace

QString publishedPortsDir() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        return {};
    }
    return runtime + QStringLiteral("/omvi-ports");
}

QList<PublishedPort> publishedPorts() {
    QList<PublishedPort> ports;
    const QString dirPath = publishedPortsDir();
    if (dirPath.isEmpty()) {
        return ports;
    }
    const QDir dir(dirPath);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QString linkPath = dir.filePath(name);
        const QString target = linkTarget(linkPath);
        if (target.isEmpty()) {
            continue;  // not ours: only links are published
        }
        if (!isLive(target)) {
            QFile::remove(linkPath);  // a simulator that did not clean up; harmless if refused
            continue;
        }
        ports.append({name, target});
    }
    std::sort(ports.begin(), ports.end(), [](const PublishedPort& a, const PublishedPort& b) {
        return naturalLess(a.name, b.name);
    });
    return ports;
}

QString publishedPortPath(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        return {};
    }
    const QString dirPath = publishedPortsDir();
    if (dirPath.isEmpty()) {
        return {};
    }
    const QString target = linkTarget(dirPath + QLatin1Char('/') + name);
    return isLive(target) ? target : QString();
}

QString publishPort(const QString& target, const QString& baseName, QString* error) {
    auto fail = [error](const QString& why) {
        if (error != nullptr) {
            *error = why;
        }
        return QString();
    };
    const QString dirPath = publishedPortsDir();
    if (dirPath.isEmpty()) {
        return fail(QStringLiteral("no runtime folder to publish in"));
    }
    if (!QDir().mkpath(dirPath)) {
        return fail(QStringLiteral("cannot create %1").arg(dirPath));
    }
    for (int n = 1; n <= kMaxInstances; ++n) {
        const QString name = n == 1 ? baseName : QStringLiteral("%1-%2").arg(baseName).arg(n);
        const QString linkPath = dirPath + QLatin1Char('/') + name;
        const QFileInfo existing(linkPath);
        if (existing.isSymLink()) {
            if (isLive(existing.symLinkTarget())) {
                continue;
            }
            QFile::remove(linkPath);  // left behind by a simulator that was killed
        } else if (existing.exists()) {
            continue;
        }
        // Fails if another simulator took the name in the meantime; then try the next one.
        if (QFile::link(target, linkPath)) {
            return linkPath;
        }
    }
    return fail(QStringLiteral("no free name in %1").arg(dirPath));
}

bool unpublishPort(const QString& linkPath, const QString& target) {
    if (linkPath.isEmpty() || linkTarget(linkPath) != QFileInfo(target).absoluteFilePath()) {
        return false;
    }
    return QFile::remove(linkPath);
}

}  // namespace omvi::link
