#pragma once
// The simulated controller: the controller side of the wire protocol with a small engine model.
// Used in-process by tests (through a loopback port) and by the omvi-ecu-sim executable on a
// pseudo-terminal.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

namespace omvi::sim {

struct FaultOptions {
    int dropEveryNth = 0;        // 0 = off: no answer to every Nth request
    int corruptSumEveryNth = 0;  // wrong answer sum on every Nth answer
    int wrongEchoEveryNth = 0;   // wrong echo byte on every Nth answer
    int chunkSize = 0;           // 0 = whole answers; else answers split into chunks of K bytes
    int silentAfter = -1;        // -1 = never; else no answers after N answers
};

struct SimOptions {
    QString firmware = QStringLiteral("5.10.11");  // "major.minor.patch"
    FaultOptions faults;
    std::uint32_t seed = 1;
};

class EcuSimulator {
  public:
    explicit EcuSimulator(SimOptions options = {});
    ~EcuSimulator();
    EcuSimulator(const EcuSimulator&) = delete;
    EcuSimulator& operator=(const EcuSimulator&) = delete;

    // Bytes arriving from the program, in any chunking. Returns the wire bytes of the answers to
    // the requests completed by them, one entry per delivery (several when answers are chunked).
    // `nowMs` drives the engine model.
    QList<QByteArray> receive(const QByteArray& wireBytes, std::int64_t nowMs);

    // The plain configuration image (a complete answer frame: 0xF0, length, 'f', data, sum).
    QByteArray configImage() const;
    // The plain live frame the controller would answer to a poll at `nowMs`.
    QByteArray liveFrame(std::int64_t nowMs);

    // Decoded commands received (code and parameters, without 0xF0 and sum), oldest first.
    const QList<QByteArray>& receivedCommands() const;
    int answersSent() const;
    int requestsRejected() const;  // frames that could not be parsed (no answer given)

    void setFaults(const FaultOptions& faults);

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace omvi::sim
