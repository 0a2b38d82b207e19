// omvi-ecu-sim: a simulated controller on a pseudo-terminal, for trying the program without a car
// and for the end-to-end tests.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "link/published_ports.h"
#include "link/stop_signals.h"
#include "sim/ecu_simulator.h"
#include "sim/pty_server.h"
#include "sim/sim_command_line.h"

namespace {

void say(const QString& text) {
    std::fprintf(stderr, "omvi-ecu-sim: %s\n", qPrintable(text));
}

QString hexOf(const QByteArray& bytes) {
    constexpr int kShown = 16;
    QString text = QString::fromLatin1(bytes.left(kShown).toHex(' ').toUpper());
    if (bytes.size() > kShown) {
        text += QStringLiteral(" ... (%1 bytes)").arg(bytes.size());
    }
    return text;
}

// A symbolic link that the user asked for; an existing link there is replaced, anything else is
// left alone.
bool makeUserLink(const QString& linkPath, const QString& target, QString* error) {
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        QFile::remove(linkPath);
    } else if (existing.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    if (!QFile::link(target, linkPath)) {
        *error = QStringLiteral("cannot create the link %1").arg(linkPath);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("omvi-ecu-sim"));

    const omvi::sim::SimCommandLineResult parsed =
        omvi::sim::parseSimCommandLine(QCoreApplication::arguments());
    if (!parsed.options) {
        if (parsed.exitCode == 0) {
            std::fputs(qPrintable(parsed.message), stdout);
        } else {
            say(parsed.message);
        }
        return parsed.exitCode;
    }
    const omvi::sim::SimCommandLine& options = *parsed.options;

    omvi::link::StopSignals stopSignals;
    if (!stopSignals.installed()) {
        say(QStringLiteral("cannot install the signal handlers"));
        return 1;
    }
    QObject::connect(&stopSignals, &omvi::link::StopSignals::stopRequested, &app,
                     &QCoreApplication::quit);

    omvi::sim::EcuSimulator simulator(options.sim);
    omvi::sim::PtyServer server(simulator, {options.wireRate, options.sim.faults.chunkSize > 0});
    QString error;
    if (!server.open(&error)) {
        say(error);
        return 1;
    }
    const QString slave = server.slavePath();

    if (!options.linkPath.isEmpty() && !makeUserLink(options.linkPath, slave, &error)) {
        say(error);
        return 1;
    }
    QString published;
    if (options.publish) {
        published = omvi::link::publishPort(slave, QStringLiteral("omvi-sim"), &error);
        if (published.isEmpty()) {
            say(QStringLiteral("not published: %1").arg(error));
        }
    }

    std::printf("%s\n", qPrintable(slave));
    std::fflush(stdout);
    if (!options.quiet) {
        say(QStringLiteral("firmware %1 on %2%3")
                .arg(options.sim.firmware, slave,
                     published.isEmpty() ? QString()
                                         : QStringLiteral(" (published as %1)")
                                               .arg(QFileInfo(published).fileName())));
        server.setCommandLog(
            [](const QByteArray& command) { say(QStringLiteral("<- ") + hexOf(command)); });
    }

    const int status = QCoreApplication::exec();

    if (!options.linkPath.isEmpty()) {
        omvi::link::unpublishPort(options.linkPath, slave);
    }
    if (!published.isEmpty()) {
        omvi::link::unpublishPort(published, slave);
    }
    if (!options.quiet) {
        say(QStringLiteral("stopped after %1 answers").arg(simulator.answersSent()));
    }
    return status;
}
