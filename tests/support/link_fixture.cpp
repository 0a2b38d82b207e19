#include "link_fixture.h"

#include "link/frame_coding.h"

namespace omvi::test {

QList<QByteArray> LinkRig::sentPayloads() const {
    QByteArray all;
    for (const QByteArray& w : port.writes) {
        all.append(w);
    }
    // Frames are 0xCC body checksum 0xCC; the writes of one frame are consecutive, so split on
    // the frame boundaries recorded by length: rebuild by re-encoding candidates.
    QList<QByteArray> payloads;
    qsizetype pos = 0;
    while (pos < all.size()) {
        bool found = false;
        for (qsizetype end = pos + 3; end < all.size(); ++end) {
            if (static_cast<std::uint8_t>(all.at(end)) != 0xCC) {
                continue;
            }
            QByteArray payload;
            for (qsizetype i = pos + 1; i < end - 1; ++i) {
                payload.append(static_cast<char>(link::decodeRequestByte(
                    static_cast<int>(i - pos), static_cast<std::uint8_t>(all.at(i)))));
            }
            if (link::buildRequestFrame(payload) == all.mid(pos, end - pos + 1)) {
                payloads.append(payload);
                pos = end + 1;
                found = true;
                break;
            }
        }
        if (!found) {
            break;
        }
    }
    return payloads;
}

QList<int> LinkRig::sentCodes() const {
    QList<int> codes;
    for (const QByteArray& p : sentPayloads()) {
        codes.append(p.size() > 1 ? static_cast<std::uint8_t>(p.at(1)) : -1);
    }
    return codes;
}

}  // namespace omvi::test
