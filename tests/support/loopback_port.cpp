#include "loopback_port.h"

#include "sim/ecu_simulator.h"

namespace omvi::test {

void LoopbackPort::connectTo(sim::EcuSimulator& simulator) {
    peer_ = [&simulator](const QByteArray& wire, std::int64_t now) {
        return simulator.receive(wire, now);
    };
}

bool LoopbackPort::open() {
    if (open_) {
        return true;
    }
    if (name_.isEmpty() || (!presentPorts.isEmpty() && !presentPorts.contains(name_))) {
        return false;
    }
    open_ = true;
    ++opens;
    openBaudRates.append(baud_);
    rx_.clear();
    return true;
}

bool LoopbackPort::close() {
    if (!open_) {
        return true;
    }
    if (failClose) {
        return false;
    }
    open_ = false;
    ++closes;
    ++generation_;
    rx_.clear();
    return true;
}

bool LoopbackPort::discardBuffers() {
    rx_.clear();
    ++generation_;  // answers still on their way count as already received, and dropped
    return open_;
}

qint64 LoopbackPort::write(const QByteArray& data) {
    if (!open_) {
        return 0;
    }
    const QByteArray taken = writeLimit >= 0 ? data.left(writeLimit) : data;
    writes.append(taken);
    writePorts.append(name_);
    clock_.post(0, [this] {
        if (onTxEmpty) {
            onTxEmpty();
        }
    });
    const bool answers = answeringPorts.isEmpty() || answeringPorts.contains(name_);
    if (peer_ && answers && !taken.isEmpty()) {
        const QList<QByteArray> chunks = peer_(taken, clock_.now());
        std::int64_t delay = latencyMs;
        for (const QByteArray& chunk : chunks) {
            inject(chunk, delay);
            delay += 1;
        }
    }
    return taken.size();
}

void LoopbackPort::inject(const QByteArray& wireBytes, std::int64_t delayMs) {
    const std::uint64_t generation = generation_;
    clock_.post(delayMs, [this, wireBytes, generation] {
        if (!open_ || generation != generation_) {
            return;
        }
        rx_.append(wireBytes);
        if (onReadyRead) {
            onReadyRead();
        }
    });
}

QByteArray LoopbackPort::readAll(bool* ok) {
    if (ok != nullptr) {
        *ok = !failRead;
    }
    QByteArray out = rx_;
    rx_.clear();
    return out;
}

void LoopbackPort::pullCable() {
    clock_.post(0, [this] {
        if (!open_) {
            return;
        }
        open_ = false;
        ++generation_;
        if (onLost) {
            onLost(QStringLiteral("device removed"));
        }
    });
}

}  // namespace omvi::test
