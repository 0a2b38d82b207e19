#pragma once
// Production implementations of the link's seams: QSerialPort, QTimer and blocking pauses.

#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include "link/io.h"

namespace omvi::link {

class QtSerialPort final : public QObject, public SerialPortIo {
    Q_OBJECT
  public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    void setPortName(const QString& name) override;
    QString portName() const override { return name_; }
    void setBaudRate(int rate) override;
    int baudRate() const override { return baud_; }

    bool open() override;
    bool close() override;
    bool isOpen() const override { return port_.isOpen(); }

    qint64 write(const QByteArray& data) override;
    QByteArray readAll(bool* ok) override;

    void clearError() override;
    bool discardBuffers() override;
    bool abortTransfers() override;
    bool flush() override;

    // The last error text of the port layer (for diagnostics and the command-line tool).
    QString errorString() const { return port_.errorString(); }

  private:
    void handleError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString name_;
    int baud_ = 9600;
};

class QtTimer final : public Timer {
  public:
    QtTimer();
    void start() override;
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    int interval() const override { return timer_.interval(); }

  private:
    QTimer timer_;
};

// Pacing pauses block the calling thread, as the controller needs them; settle pauses are skipped.
class QtPause final : public Pause {
  public:
    void sleep(int ms, PauseKind kind = PauseKind::Pacing) override;
};

// Resolves a port name as the menus show it ("ttyUSB0", "COM3") or a path to a system location.
QString systemLocationForPort(const QString& name);

}  // namespace omvi::link
