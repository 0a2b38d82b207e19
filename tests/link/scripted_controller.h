#pragma once
// A hand-scripted controller for tests whose point is the exact bytes: it answers the
// identification request with a fixed image, the poll with a fixed frame and everything else with
// an echo, unless a test replaces an answer.

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>

#include "link/bytes.h"
#include "link/frame_coding.h"
#include "link_fixture.h"

namespace omvi::test {

inline constexpr int kIdentity = 0x5A;

// A plain configuration answer of `length` bytes with the given version and identity byte.
inline QByteArray makeImage(int major, int minor, int patch, int length = 1356) {
    QByteArray data(length - 5, '\0');
    data[0] = static_cast<char>(major);
    data[1] = static_cast<char>(minor);
    data[2] = static_cast<char>(patch);
    data[301 - 4] = static_cast<char>(kIdentity);
    return link::makeAnswer(0x66, data);
}

// A plain live frame (73 bytes) whose byte 4 carries `identity` and byte 42 the rpm hundreds.
inline QByteArray makeLiveFrame(int rpmHundreds = 8, int identity = kIdentity) {
    QByteArray data(68, '\0');
    data[0] = static_cast<char>(identity);
    data[42 - 4] = static_cast<char>(rpmHundreds);
    return link::makeAnswer(0x99, data);
}

class ScriptedController {
  public:
    // Returns the plain answer to a request payload, or nothing for silence.
    using Script = std::function<std::optional<QByteArray>(const QByteArray& payload)>;

    QByteArray image = makeImage(5, 10, 11);
    QByteArray live = makeLiveFrame();
    Script script;        // consulted first; return std::nullopt from `fallback` to be silent
    bool silent = false;  // answers nothing at all
    int chunkSize = 0;    // deliver answers in pieces of this size
    QList<QByteArray> requests;

    void attach(LoopbackPort& port) {
        port.setPeer([this](const QByteArray& wire, std::int64_t) { return receive(wire); });
    }

    std::optional<QByteArray> fallback(const QByteArray& payload) const {
        const int code = byteAt(payload, 1);
        if (code == 0x66 || code == 0x26 || code == 0x05) {
            QByteArray answer = image;
            answer[3] = static_cast<char>(code);
            answer[answer.size() - 1] =
                static_cast<char>(additiveSum(answer, 0, answer.size() - 1));
            return answer;
        }
        if (code == 0x99) {
            return live;
        }
        return link::makeAnswer(static_cast<std::uint8_t>(code), {});
    }

    QList<QByteArray> receive(const QByteArray& wire) {
        buffer_.append(wire);
        QList<QByteArray> out;
        for (const QByteArray& payload : takeRequestFrames(buffer_)) {
            requests.append(payload);
            if (silent) {
                continue;
            }
            const std::optional<QByteArray> answer = script ? script(payload) : fallback(payload);
            if (!answer) {
                continue;
            }
            const QByteArray coded =
                link::encodeAnswerBytes(*answer, static_cast<std::uint8_t>(byteAt(payload, 1)));
            if (chunkSize <= 0) {
                out.append(coded);
            } else {
                for (qsizetype i = 0; i < coded.size(); i += chunkSize) {
                    out.append(coded.mid(i, chunkSize));
                }
            }
        }
        return out;
    }

    QList<int> codes() const {
        QList<int> c;
        for (const QByteArray& r : requests) {
            c.append(byteAt(r, 1));
        }
        return c;
    }

  private:
    QByteArray buffer_;
};

}  // namespace omvi::test
