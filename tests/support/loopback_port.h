#pragma once
// A serial port whose other end is a function (usually the in-process simulated controller).
// Written bytes reach the peer at once; its answers arrive as read events on the fake clock, one
// event per chunk, `latencyMs` later, so the link sees them only after it has returned.

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

#include "fake_time.h"
#include "link/io.h"

namespace omvi::sim {
class EcuSimulator;
}

namespace omvi::test {

class LoopbackPort final : public link::SerialPortIo {
  public:
    using Peer = std::function<QList<QByteArray>(const QByteArray& wire, std::int64_t nowMs)>;

    explicit LoopbackPort(FakeClock& clock) : clock_(clock) {}
    void connectTo(sim::EcuSimulator& simulator);
    void setPeer(Peer peer) { peer_ = std::move(peer); }

    void setPortName(const QString& name) override { name_ = name; }
    QString portName() const override { return name_; }
    void setBaudRate(int rate) override { baud_ = rate; }
    int baudRate() const override { return baud_; }

    bool open() override;
    bool close() override;
    bool isOpen() const override { return open_; }

    qint64 write(const QByteArray& data) override;
    QByteArray readAll(bool* ok) override;

    void clearError() override { ++clearErrors; }
    bool discardBuffers() override;
    bool abortTransfers() override { return open_; }
    bool flush() override { return open_; }

    // Delivers bytes from the controller side as one read event after `delayMs`.
    void inject(const QByteArray& wireBytes, std::int64_t delayMs = 0);
    // The port vanishes (cable pulled).
    void pullCable();

    // Ports that can be opened; empty means any name.
    QSet<QString> presentPorts;
    // Ports that answer through the peer; empty means every port.
    QSet<QString> answeringPorts;
    bool failClose = false;
    bool failRead = false;
    int writeLimit = -1;  // bytes accepted per write; -1 = all
    std::int64_t latencyMs = 5;

    QList<QByteArray> writes;  // every block written, in order
    QStringList writePorts;    // the port name at each write
    int opens = 0;
    int closes = 0;
    int clearErrors = 0;
    QList<int> openBaudRates;

  private:
    FakeClock& clock_;
    Peer peer_;
    QString name_;
    int baud_ = 9600;
    bool open_ = false;
    QByteArray rx_;
    std::uint64_t generation_ = 0;  // answers in flight are dropped when the port closes
};

}  // namespace omvi::test
