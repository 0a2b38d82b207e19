#pragma once
// Serial ports published by running simulated controllers, so that the program can offer them
// in its port menu. Each simulator puts a symbolic link named "omvi-sim" ("omvi-sim-2", ... when
// taken) into a per-user runtime folder, pointing to its pseudo-terminal, and removes it on exit.

#include <QList>
#include <QString>

namespace omvi::link {

struct PublishedPort {
    QString name;  // the link's name, e.g. "omvi-sim"
    QString path;  // the device it points to, to be opened
};

// <runtime folder>/omvi-ports; empty when the system has no usable runtime folder.
QString publishedPortsDir();

// The live links, sorted by name ("omvi-sim-2" before "omvi-sim-10"). Links whose device has
// gone are skipped, and removed when the folder allows it.
QList<PublishedPort> publishedPorts();

// The device behind a published name, or empty when there is no live link of that name.
QString publishedPortPath(const QString& name);

// Publishes `target` under `baseName`, or baseName-2, -3, ... when taken by a live link.
// Returns the link's full path, or empty (with `error` set) when it cannot be made.
QString publishPort(const QString& target, const QString& baseName = QStringLiteral("omvi-sim"),
                    QString* error = nullptr);

// Removes a link made by publishPort, only while it still points to `target`.
bool unpublishPort(const QString& linkPath, const QString& target);

}  // namespace omvi::link
