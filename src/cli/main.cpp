// omvi-cli: the headless front end. It wires the session to the real serial port, Qt timers and
// blocking pauses, drives it from the event loop and turns Ctrl+C into a clean disconnect.

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/session.h"
#include "link/port_list.h"
#include "link/qt_io.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool installSignalHandlers() {
    if (::pipe(signalPipe) != 0) {
        return false;
    }
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
    // A closed output pipe ends a watch through the console, not by killing the process with
    // the port still open.
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

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

    if (!installSignalHandlers()) {
        printText(stderr, QStringLiteral("omvi-cli: cannot install the signal handlers"));
        return omvi::cli::kExitFailure;
    }

    omvi::link::QtSerialPort port;
    omvi::link::QtTimer pollTimer;
    omvi::link::QtTimer answerTimer;
    omvi::link::QtPause pause;
    StdConsole console;
    omvi::cli::Session session(job, port, pollTimer, answerTimer, pause, console);
    session.setOpenErrorText([&port] {
        // An unknown name resolves to no device at all; the port layer's own text would then
        // describe the device folder.
        if (omvi::link::systemLocationForPort(port.portName()).isEmpty()) {
            return QStringLiteral("no such port");
        }
        return port.errorString();
    });

    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&session] {
        char drain[16];
        while (::read(signalPipe[0], drain, sizeof drain) > 0) {
        }
        session.interrupt();
    });

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
