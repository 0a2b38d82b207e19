// omvi-cli: the headless front end. It wires the session to the real serial port, Qt timers and
// blocking pauses, drives it from the event loop and turns Ctrl+C into a clean disconnect.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/session.h"
#include "link/port_list.h"
#include "link/qt_io.h"
#include "link/stop_signals.h"

namespace {

void printText(std::FILE* stream, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    std::fputs(text.toUtf8().constData(), stream);
    if (!text.endsWith(QLatin1Char('\n'))) {
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

class StdConsole final : public omvi::cli::Console {
  public:
    void out(const QString& line) override {
        if (!open_) {
            return;
        }
        const QByteArray bytes = line.toUtf8() + '\n';
        // Flushed per line, so that a reader at the other end of a pipe sees each frame live.
        if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) !=
                static_cast<std::size_t>(bytes.size()) ||
            std::fflush(stdout) != 0) {
            open_ = false;
        }
    }
    void err(const QString& line) override { printText(stderr, line); }
    bool outputOpen() const override { return open_; }

  private:
    bool open_ = true;
};

// How often the session is moved on: well inside the 130 ms of a poll cycle.
constexpr int kSupervisorIntervalMs = 10;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("omvi-cli"));

    const omvi::cli::CommandLineResult parsed =
        omvi::cli::parseCommandLine(QCoreApplication::arguments());
    if (!parsed.job) {
        printText(parsed.exitCode == omvi::cli::kExitOk ? stdout : stderr, parsed.message);
        return parsed.exitCode;
    }
    const omvi::cli::Job& job = *parsed.job;

    if (job.task == omvi::cli::Task::Ports) {
        for (const QString& name : omvi::link::presentPortNames()) {
            printText(stdout, name);
        }
        return omvi::cli::kExitOk;
    }

    omvi::link::StopSignals stopSignals;
    if (!stopSignals.installed()) {
        printText(stderr, QStringLiteral("omvi-cli: cannot install the signal handlers"));
        return omvi::cli::kExitFailure;
    }

    omvi::link::QtSerialPort port;
    omvi::link::QtTimer pollTimer;
    omvi::link::QtTimer answerTimer;
    omvi::link::QtPause pause;
    StdConsole console;
    omvi::cli::Session session(job, port, pollTimer, answerTimer, pause, console);
    session.setOpenErrorText([&port] { return port.errorString(); });

    QObject::connect(&stopSignals, &omvi::link::StopSignals::stopRequested, &app,
                     [&session] { session.interrupt(); });

    QElapsedTimer elapsed;
    elapsed.start();
    QTimer supervisor;
    supervisor.setInterval(kSupervisorIntervalMs);
    QObject::connect(&supervisor, &QTimer::timeout, &app, [&] {
        if (const auto code = session.poll(elapsed.elapsed())) {
            supervisor.stop();
            QCoreApplication::exit(*code);
        }
    });
    session.start(0);
    supervisor.start();
    return QCoreApplication::exec();
}
