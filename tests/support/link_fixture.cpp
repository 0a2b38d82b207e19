#include "link_fixture.h"

#include "link/frame_coding.h"

namespace omvi::test {

QList<QByteArray> takeRequestFrames(QByteArray& buffer) {
    QList<QByteArray> payloads;
    for (;;) {
        const qsizetype start = buffer.indexOf(static_cast<char>(0xCC));
        if (start < 0) {
            buffer.clear();
            return payloads;
        }
        buffer.remove(0, start);
        bool found = false;
        for (qsizetype end = 3; end < buffer.size(); ++end) {
            if (static_cast<std::uint8_t>(buffer.at(end)) != 0xCC) {
                continue;
            }
            QByteArray payload;
            for (qsizetype i = 1; i < end - 1; ++i) {
                payload.append(static_cast<char>(link::decodeRequestByte(
                    static_cast<int>(i), static_cast<std::uint8_t>(buffer.at(i)))));
            }
            if (link::buildRequestFrame(payload) == buffer.left(end + 1)) {
                payloads.append(payload);
                buffer.remove(0, end + 1);
                found = true;
                break;
            }
        }
        if (!found) {
            return payloads;
        }
    }
}

QList<QByteArray> LinkRig::sentPayloads() const {
    QByteArray all;
    for (const QByteArray& w : port.writes) {
        all.append(w);
    }
    return takeRequestFrames(all);
}

QList<int> LinkRig::sentCodes() const {
    QList<int> codes;
    for (const QByteArray& p : sentPayloads()) {
        codes.append(p.size() > 1 ? static_cast<std::uint8_t>(p.at(1)) : -1);
    }
    return codes;
}

}  // namespace omvi::test
