#include "cli/port_tap.h"

namespace omvi::cli {

PortTap::PortTap(link::SerialPortIo& inner) : inner_(inner) {
    inner_.onReadyRead = [this] {
        if (onReadyRead) {
            onReadyRead();
        }
    };
    inner_.onTxEmpty = [this] {
        if (onTxEmpty) {
            onTxEmpty();
        }
    };
    inner_.onLost = [this](const QString& reason) {
        if (onLost) {
            onLost(reason);
        }
    };
}

PortTap::~PortTap() {
    inner_.onReadyRead = nullptr;
    inner_.onTxEmpty = nullptr;
    inner_.onLost = nullptr;
}

bool PortTap::open() {
    const bool opened = inner_.open();
    lastOpenFailed_ = !opened;
    lastOpenError_.clear();
    if (!opened) {
        lastOpenError_ = errorText ? errorText() : QString();
        if (lastOpenError_.isEmpty()) {
            lastOpenError_ = QStringLiteral("the port cannot be opened");
        }
    }
    return opened;
}

QByteArray PortTap::readAll(bool* ok) {
    QByteArray raw = inner_.readAll(ok);
    if (onBytesRead && !raw.isEmpty()) {
        onBytesRead(raw);
    }
    return raw;
}

}  // namespace omvi::cli
