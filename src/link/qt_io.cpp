#include "link/qt_io.h"

#include <QSerialPortInfo>
#include <QThread>

#include "link/published_ports.h"

namespace omvi::link {

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    // Delivered from the event loop, never inside a write: cod keeps tx_busy set while it writes.
    connect(
        &port_, &QSerialPort::bytesWritten, this,
        [this](qint64) {
            if (port_.bytesToWrite() == 0 && onTxEmpty) {
                onTxEmpty();
            }
        },
        Qt::QueuedConnection);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (onReadyRead) {
            onReadyRead();
        }
    });
    connect(
        &port_, &QSerialPort::errorOccurred, this,
        [this](QSerialPort::SerialPortError error) { handleError(error); }, Qt::QueuedConnection);
}

QtSerialPort::~QtSerialPort() {
    onReadyRead = nullptr;
    onTxEmpty = nullptr;
    onLost = nullptr;
    port_.close();
}

QString systemLocationForPort(const QString& name) {
    if (name.contains(QLatin1Char('/'))) {
        return name;
    }
    const QString published = publishedPortPath(name);
    if (!published.isEmpty()) {
        return published;
    }
    // A port that is not present keeps its name: QSerialPort then reports it as missing.
    const QString location = QSerialPortInfo(name).systemLocation();
    return location.isEmpty() || location.endsWith(QLatin1Char('/')) ? name : location;
}

void QtSerialPort::setPortName(const QString& name) {
    name_ = name;
}

void QtSerialPort::setBaudRate(int rate) {
    baud_ = rate;
    if (port_.isOpen()) {
        port_.setBaudRate(rate);
    }
}

bool QtSerialPort::open() {
    if (port_.isOpen()) {
        return true;
    }
    if (name_.isEmpty()) {
        return false;
    }
    port_.setPortName(systemLocationForPort(name_));
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    port_.setBaudRate(baud_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(0);
    // A pseudo-terminal refuses modem-control calls ("Inappropriate ioctl for device"); the
    // lines only matter on real hardware, so a refusal is not an error.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
    return true;
}

bool QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.close();
    }
    return !port_.isOpen();
}

qint64 QtSerialPort::write(const QByteArray& data) {
    if (!port_.isOpen() || data.isEmpty()) {
        return 0;
    }
    const qint64 queued = port_.write(data);
    if (queued <= 0) {
        return 0;
    }
    // The link writes synchronously: hand the block to the system before going on. At 7200 baud
    // a 60-byte piece takes 83 ms on the wire; the system buffers it, so this returns at once.
    port_.waitForBytesWritten(20 + 3 * static_cast<int>(data.size()));
    return queued - port_.bytesToWrite();
}

QByteArray QtSerialPort::readAll(bool* ok) {
    const QByteArray data = port_.readAll();
    if (ok != nullptr) {
        *ok = port_.error() != QSerialPort::ReadError;
    }
    return data;
}

void QtSerialPort::clearError() {
    port_.clearError();
}

bool QtSerialPort::discardBuffers() {
    return port_.isOpen() && port_.clear(QSerialPort::AllDirections);
}

bool QtSerialPort::abortTransfers() {
    return port_.isOpen() && port_.clear(QSerialPort::Output);
}

bool QtSerialPort::flush() {
    return port_.isOpen() && port_.flush();
}

void QtSerialPort::handleError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError) {
        if (!port_.isOpen()) {
            return;
        }
        const QString reason = port_.errorString();
        port_.close();
        if (onLost) {
            onLost(reason);
        }
    }
}

QtTimer::QtTimer() {
    timer_.setSingleShot(false);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout) {
            onTimeout();
        }
    });
}

void QtTimer::start() {
    // Starting a running timer leaves its schedule alone, as enabling an enabled timer does.
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void QtPause::sleep(int ms, PauseKind kind) {
    if (kind == PauseKind::Settle || ms <= 0) {
        return;
    }
    QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace omvi::link
