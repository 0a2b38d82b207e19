#pragma once
// The seams between the link and the outside world: the serial port, timers and pauses. The
// program passes Qt-backed implementations; tests pass fakes that step time by hand.

#include <QByteArray>
#include <QString>
#include <functional>

namespace omvi::link {

class SerialPortIo {
  public:
    virtual ~SerialPortIo() = default;

    virtual void setPortName(const QString& name) = 0;
    virtual QString portName() const = 0;
    virtual void setBaudRate(int rate) = 0;
    virtual int baudRate() const = 0;

    virtual bool open() = 0;
    virtual bool close() = 0;  // false when the port refused to close
    virtual bool isOpen() const = 0;

    // Writes a block and waits until the system has taken it; returns the bytes taken.
    virtual qint64 write(const QByteArray& data) = 0;
    // Everything waiting; `ok` is false when the read failed (what was read is still returned).
    virtual QByteArray readAll(bool* ok) = 0;

    virtual void clearError() = 0;      // query and clear a pending line-error condition
    virtual bool discardBuffers() = 0;  // drop both the input and the output buffer
    virtual bool abortTransfers() = 0;
    virtual bool flush() = 0;

    // Events, delivered on the user-interface thread from the event loop.
    std::function<void()> onReadyRead;
    std::function<void()> onTxEmpty;
    // The port went away while open (cable pulled, device removed).
    std::function<void(const QString& reason)> onLost;
};

// A repeating timer, as the link's two timers are: each handler stops its own timer first.
class Timer {
  public:
    virtual ~Timer() = default;
    // Starts the timer if it is not running; a running timer keeps its schedule.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;

    std::function<void()> onTimeout;
};

enum class PauseKind {
    // The controller needs the time: pacing between request pieces, settling after opening.
    Pacing,
    // Waits for the PC side only (letting a port settle before and after closing it). The
    // program skips them, so that disconnecting never freezes the window for seconds.
    Settle,
};

class Pause {
  public:
    virtual ~Pause() = default;
    virtual void sleep(int ms, PauseKind kind = PauseKind::Pacing) = 0;
};

}  // namespace omvi::link
