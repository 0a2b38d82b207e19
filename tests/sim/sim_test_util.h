#pragma once
// Talking to the simulated controller as the program does: framed, scrambled requests in, the
// answers descrambled with the request's code.

#include <QByteArray>
#include <QList>

#include "link/bytes.h"
#include "link/frame_coding.h"
#include "sim/ecu_simulator.h"

namespace omvi::sim::test {

inline QByteArray requestWire(const QByteArray& command) {
    return link::buildRequestFrame(link::makeRequestPayload(command));
}

inline QByteArray joined(const QList<QByteArray>& deliveries) {
    QByteArray all;
    for (const QByteArray& d : deliveries) {
        all.append(d);
    }
    return all;
}

// Sends one command and returns the plain answer (empty when none came).
inline QByteArray ask(EcuSimulator& sim, const QByteArray& command, std::int64_t nowMs = 0) {
    const QByteArray wire = joined(sim.receive(requestWire(command), nowMs));
    return link::decodeAnswerBytes(wire, byteAt(command, 0));
}

inline bool sumIsGood(const QByteArray& frame) {
    return frame.size() >= 5 &&
           byteAt(frame, frame.size() - 1) == additiveSum(frame, 0, frame.size() - 1);
}

inline SimOptions firmware(const char* version) {
    SimOptions o;
    o.firmware = QString::fromLatin1(version);
    return o;
}

}  // namespace omvi::sim::test
