#include "sim/pty_server.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim/ecu_simulator.h"
#include "sim/sim_command_line.h"

namespace omvi::sim {
namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

// The pace allows short bursts only, like a UART with a small FIFO.
constexpr double kMaxPaceBurst = 16.0;

}  // namespace

PtyServer::PtyServer(EcuSimulator& simulator, Options options, QObject* parent)
    : QObject(parent), simulator_(simulator), options_(options) {
    pumpTimer_.setSingleShot(true);
    connect(&pumpTimer_, &QTimer::timeout, this, [this] { pump(); });
    clock_.start();
}

PtyServer::~PtyServer() {
    delete readNotifier_;
    delete writeNotifier_;
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyServer::open(QString* error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        *error = systemError("grantpt/unlockpt");
        return false;
    }
    char name[256] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        *error = systemError("ptsname");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        *error = systemError("open terminal");
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
    connect(readNotifier_, &QSocketNotifier::activated, this, [this] { onReadable(); });
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, [this] {
        writeNotifier_->setEnabled(false);
        pump();
    });
    return true;
}

void PtyServer::onReadable() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // EIO or end of file while no terminal side is open: look again a little later
            // instead of spinning.
            readNotifier_->setEnabled(false);
            QTimer::singleShot(kRetryReadMs, this, [this] { readNotifier_->setEnabled(true); });
        }
        break;
    }
    if (bytes.isEmpty()) {
        return;
    }
    const qsizetype known = simulator_.receivedCommands().size();
    const QList<QByteArray> deliveries = simulator_.receive(bytes, clock_.elapsed());
    if (log_) {
        const QList<QByteArray>& commands = simulator_.receivedCommands();
        for (qsizetype i = known; i < commands.size(); ++i) {
            log_(commands.at(i));
        }
    }
    for (const QByteArray& d : deliveries) {
        outgoing_.push_back(d);
    }
    // A peer that writes requests but never reads must not make us hoard answers.
    while (outgoing_.size() > kMaxQueuedDeliveries) {
        outgoing_.pop_front();
    }
    pump();
}

void PtyServer::schedule(int delayMs) {
    if (!pumpTimer_.isActive()) {
        pumpTimer_.start(std::max(delayMs, 1));
    }
}

void PtyServer::pump() {
    while (!outgoing_.empty()) {
        const qint64 now = clock_.elapsed();
        if (now < nextDeliveryMs_) {
            schedule(static_cast<int>(nextDeliveryMs_ - now));
            return;
        }
        QByteArray& front = outgoing_.front();
        qsizetype allowed = front.size();
        if (options_.wireRate) {
            paceTokens_ = std::min(
                kMaxPaceBurst, paceTokens_ + (now - paceRefillMs_) * kWireBytesPerSecond / 1000.0);
            paceRefillMs_ = now;
            allowed = std::min(allowed, static_cast<qsizetype>(paceTokens_));
            if (allowed <= 0) {
                schedule(kPaceTickMs);
                return;
            }
        }
        const ssize_t n = ::write(master_, front.constData(), static_cast<size_t>(allowed));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                writeNotifier_->setEnabled(true);  // the terminal's queue is full
                return;
            }
            outgoing_.clear();  // nobody to deliver to
            return;
        }
        paceTokens_ -= static_cast<double>(n);
        front.remove(0, n);
        if (front.isEmpty()) {
            outgoing_.pop_front();
            if (options_.gapBetween) {
                nextDeliveryMs_ = clock_.elapsed() + kGapMs;
            }
        }
    }
}

}  // namespace omvi::sim
