#pragma once
// Runs omvi-cli and omvi-ecu-sim as processes: the simulator on a pseudo-terminal reached through
// a link in a private folder, never published, so that no user's ports are involved.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace omvi::cli::test {

inline QString binary(const QString& name) {
    const QString dir = qEnvironmentVariable("OMVI_BIN_DIR", QStringLiteral(OMVI_DEFAULT_BIN_DIR));
    return dir + QLatin1Char('/') + name;
}

// A private runtime folder: published ports of a user's running simulators stay out of sight.
inline QProcessEnvironment privateEnvironment(const QString& runtimeDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    return env;
}

struct CliRun {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

class SimulatedController {
  public:
    explicit SimulatedController(const QStringList& extraArgs = {}, bool quiet = true) {
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        link_ = runtime_.filePath(QStringLiteral("controller"));
        process_.setProcessEnvironment(privateEnvironment(runtime_.path()));
        QStringList args{QStringLiteral("--link"), link_, QStringLiteral("--no-publish")};
        if (quiet) {
            args << QStringLiteral("--quiet");
        }
        process_.start(binary(QStringLiteral("omvi-ecu-sim")), args + extraArgs);
        if (!process_.waitForStarted(5000)) {
            return;
        }
        QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && !deadline.hasExpired()) {
            process_.waitForReadyRead(100);
        }
        terminal_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~SimulatedController() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    bool running() const {
        return process_.state() == QProcess::Running && QFileInfo(link_).isSymLink();
    }
    // The port to give omvi-cli.
    const QString& port() const { return link_; }
    const QString& terminal() const { return terminal_; }
    QString runtimeDir() const { return runtime_.path(); }
    // Stops it and returns what it logged.
    QString stop() {
        process_.terminate();
        process_.waitForFinished(5000);
        return QString::fromUtf8(process_.readAllStandardError());
    }

  private:
    QTemporaryDir runtime_;
    QString link_;
    QString terminal_;
    QProcess process_;
};

inline CliRun runCli(const QStringList& args, const QString& runtimeDir, int timeoutMs = 60000) {
    QProcess process;
    process.setProcessEnvironment(privateEnvironment(runtimeDir));
    process.start(binary(QStringLiteral("omvi-cli")), args);
    CliRun run;
    if (!process.waitForStarted(5000)) {
        return run;
    }
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(3000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace omvi::cli::test
