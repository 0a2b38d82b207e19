#include "link/stop_signals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace omvi::link {

#ifdef Q_OS_UNIX
namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (signalPipe[0] < 0 && ::pipe(signalPipe) != 0) {
        return;
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
    // A closed output pipe must end the program through its own path, not kill it mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char drain[16];
        while (::read(signalPipe[0], drain, sizeof drain) > 0) {
        }
        emit stopRequested();
    });
    installed_ = true;
}
#else
StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    installed_ = true;  // the console's own Ctrl+C handling ends the process
}
#endif

StopSignals::~StopSignals() = default;

}  // namespace omvi::link
