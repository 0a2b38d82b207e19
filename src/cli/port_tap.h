#pragma once
// A serial port that passes everything through to another and lets the command-line tool see
// what the link does not keep: the raw bytes of each read, when they came, and why an open
// failed.

#include <QByteArray>
#include <QString>
#include <functional>

#include "link/io.h"

namespace omvi::cli {

class PortTap final : public link::SerialPortIo {
  public:
    explicit PortTap(link::SerialPortIo& inner);
    ~PortTap() override;
    PortTap(const PortTap&) = delete;
    PortTap& operator=(const PortTap&) = delete;

    void setPortName(const QString& name) override { inner_.setPortName(name); }
    QString portName() const override { return inner_.portName(); }
    void setBaudRate(int rate) override { inner_.setBaudRate(rate); }
    int baudRate() const override { return inner_.baudRate(); }

    bool open() override;
    bool close() override { return inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }

    qint64 write(const QByteArray& data) override { return inner_.write(data); }
    QByteArray readAll(bool* ok) override;

    void clearError() override { inner_.clearError(); }
    bool discardBuffers() override { return inner_.discardBuffers(); }
    bool abortTransfers() override { return inner_.abortTransfers(); }
    bool flush() override { return inner_.flush(); }

    // Every block read, before the link decodes it.
    std::function<void(const QByteArray& raw)> onBytesRead;
    // The port layer's reason for a failed open, asked at the moment it fails (the link clears
    // the port's error right after).
    std::function<QString()> errorText;

    // Empty after a successful open; the reason (or a generic text) after a failed one.
    const QString& lastOpenError() const { return lastOpenError_; }
    bool lastOpenFailed() const { return lastOpenFailed_; }

  private:
    link::SerialPortIo& inner_;
    QString lastOpenError_;
    bool lastOpenFailed_ = false;
};

}  // namespace omvi::cli
