#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <csignal>

namespace omvi::test {

QString SimulatorProcess::executable() {
    const QString dir = qEnvironmentVariable("OMVI_BIN_DIR");
    const QString path = dir + QStringLiteral("/omvi-ecu-sim");
    return QFileInfo::exists(path) ? path : QStringLiteral("omvi-ecu-sim");
}

SimulatorProcess::SimulatorProcess() {
    QFile::setPermissions(runtime_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
}

SimulatorProcess::~SimulatorProcess() {
    if (process_.state() != QProcess::NotRunning) {
        kill();
    }
}

QString SimulatorProcess::start(const QStringList& args) {
    process_.start(executable(), QStringList{QStringLiteral("--no-publish")} + args);
    if (!process_.waitForStarted(5000)) {
        return {};
    }
    QDeadlineTimer deadline(5000);
    while (!process_.canReadLine() && !deadline.hasExpired()) {
        process_.waitForReadyRead(100);
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

QString SimulatorProcess::startPublished(const QStringList& args) {
    process_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process_.start(executable(), args);
    if (!process_.waitForStarted(5000)) {
        return {};
    }
    QDeadlineTimer deadline(5000);
    while (!process_.canReadLine() && !deadline.hasExpired()) {
        process_.waitForReadyRead(100);
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

bool SimulatorProcess::stop() {
    if (process_.state() == QProcess::NotRunning) {
        return false;
    }
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    return process_.waitForFinished(5000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
}

void SimulatorProcess::kill() {
    process_.kill();
    process_.waitForFinished(5000);
}

}  // namespace omvi::test
