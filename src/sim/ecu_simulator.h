#pragma once
// The simulated controller: the controller side of the wire protocol with a small engine model.
// Used in-process by tests (through a loopback port) and by the omvi-ecu-sim executable on a
// pseudo-terminal.
//
// It answers the identification, the poll, the configuration and counters requests with their
// data, acknowledges every other command by echoing its code, and applies each settings command to
// its configuration image where the program reads the value back. Faults only affect answers:
// a command whose answer is dropped or spoiled has still been applied.

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
    // A firmware text that is not "major.minor.patch" (0..255 each) is served as 5.10.11.
    explicit EcuSimulator(SimOptions options = {});
    ~EcuSimulator();
    EcuSimulator(const EcuSimulator&) = delete;
    EcuSimulator& operator=(const EcuSimulator&) = delete;

    // Bytes arriving from the program, in any chunking. Returns the wire bytes of the answers to
    // the requests completed by them, one entry per delivery (several when answers are chunked).
    // `nowMs` drives the engine model: it counts from ignition on.
    QList<QByteArray> receive(const QByteArray& wireBytes, std::int64_t nowMs);

    // The plain configuration image (a complete answer frame: 0xF0, length, 'f', data, sum).
    QByteArray configImage() const;
    // The plain live frame the controller would answer to a poll at `nowMs`.
    QByteArray liveFrame(std::int64_t nowMs);
    // The 65-byte counters record (image bytes 46..109 followed by byte 187).
    QByteArray countersRecord() const;

    // Decoded commands received (code and parameters, without 0xF0 and sum), oldest first. Polls
    // are only counted, so that a long run does not pile them up.
    const QList<QByteArray>& receivedCommands() const;
    int pollsReceived() const;
    int answersSent() const;
    int requestsRejected() const;  // frames that could not be parsed (no answer given)

    // Fault counting restarts here: "every Nth" and "after N" count from this call.
    void setFaults(const FaultOptions& faults);

    // Test and demo hooks.
    // Overwrites image data bytes from `offset` (header and sum excluded; out-of-range bytes
    // are ignored).
    void setImageBytes(int offset, const QByteArray& bytes);
    // Current errors as the live frame carries them (active low; 0xFF = none).
    void setActiveErrors(std::uint8_t flags50, std::uint8_t flags51, std::uint8_t injectors);
    // Cylinders running on gas (bit k = cylinder k + 1); 0 on petrol.
    std::uint8_t gasMask() const;
    // Set by 0x31 0x01 while the fitter calibrates the level sender, cleared by 0x31 0x00.
    bool calibrationMode() const;
    // Learned injection times by manifold pressure (0.1 ms, 0 = none).
    QByteArray learnedPetrol() const;
    QByteArray learnedGas() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace omvi::sim
