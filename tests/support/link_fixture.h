#pragma once
// A link wired to stepped time, a loopback port and a recording host.

#include <memory>

#include "fake_time.h"
#include "link/link_state_machine.h"
#include "loopback_port.h"
#include "recording_host.h"

namespace omvi::test {

// Takes every complete request frame off the front of `buffer` and returns their plain payloads.
// Frames are found by their outer checksum and a re-encoding that matches byte for byte.
QList<QByteArray> takeRequestFrames(QByteArray& buffer);

struct LinkRig {
    FakeClock clock;
    FakeTimer pollTimer{clock};
    FakeTimer answerTimer{clock};
    FakePause pause{clock};
    LoopbackPort port{clock};
    RecordingHost host;
    link::Link link{port, pollTimer, answerTimer, pause, host};

    LinkRig() { port.setPortName(QStringLiteral("ttyS0")); }

    // Connects with the toggle, as a user would, and runs until polling has begun.
    bool connect(std::int64_t limitMs = 10000) {
        link.setToggle(true);
        return clock.runUntil([this] { return link.isConnected() && !host.liveFrames.isEmpty(); },
                              limitMs);
    }
    // The plain payloads written so far (frames decoded back), in order.
    QList<QByteArray> sentPayloads() const;
    // The command codes of the payloads written so far.
    QList<int> sentCodes() const;
};

}  // namespace omvi::test
