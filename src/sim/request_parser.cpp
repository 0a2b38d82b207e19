#include "sim/request_parser.h"

#include "link/bytes.h"
#include "link/frame_coding.h"
#include "link/wire_constants.h"

namespace omvi::sim {
namespace {

constexpr char kMarker = static_cast<char>(wire::kFrameMarker);
// Marker, at least three payload bytes (0xF0, code, sum), checksum, marker.
constexpr qsizetype kMinFrameLength = 6;

}  // namespace

qsizetype RequestParser::frameAt(qsizetype start, QByteArray* payload) const {
    // Every payload starts with 0xF0, so the byte after a real start marker is known.
    static const std::uint8_t kFirstBody = link::encodeRequestByte(1, wire::kLead);
    if (start + 1 < buffer_.size() && byteAt(buffer_, start + 1) != kFirstBody) {
        return -1;
    }
    unsigned bodySum = 0;  // of buffer_[start + 1 .. end - 2]
    for (qsizetype end = start + 1; end < buffer_.size(); ++end) {
        if (end >= start + kMinFrameLength - 1 && buffer_.at(end) == kMarker &&
            byteAt(buffer_, end - 1) == ((bodySum + wire::kChecksumOffset) & 0xFF)) {
            QByteArray plain;
            plain.reserve(end - start - 2);
            for (qsizetype i = start + 1; i < end - 1; ++i) {
                plain.append(static_cast<char>(
                    link::decodeRequestByte(static_cast<int>(i - start), byteAt(buffer_, i))));
            }
            if (byteAt(plain, 0) == wire::kLead &&
                byteAt(plain, plain.size() - 1) == additiveSum(plain, 0, plain.size() - 1)) {
                *payload = plain;
                return end;
            }
        }
        if (end >= start + 2) {
            bodySum += byteAt(buffer_, end - 1);
        }
    }
    return -1;
}

void RequestParser::discard(qsizetype count) {
    if (count <= 0) {
        return;
    }
    if (buffer_.left(count).contains(kMarker)) {
        ++rejected_;
    }
    buffer_.remove(0, count);
}

QList<QByteArray> RequestParser::feed(const QByteArray& bytes) {
    buffer_.append(bytes);
    QList<QByteArray> payloads;
    for (;;) {
        const qsizetype marker = buffer_.indexOf(kMarker);
        if (marker < 0) {
            buffer_.clear();  // noise without any marker
            return payloads;
        }
        buffer_.remove(0, marker);

        QByteArray payload;
        const qsizetype end = frameAt(0, &payload);
        if (end >= 0) {
            payloads.append(payload);
            buffer_.remove(0, end + 1);
            continue;
        }
        // The first marker may be noise; a complete frame behind it proves so.
        bool skipped = false;
        for (qsizetype next = buffer_.indexOf(kMarker, 1); next > 0;
             next = buffer_.indexOf(kMarker, next + 1)) {
            if (frameAt(next, &payload) >= 0) {
                discard(next);
                skipped = true;
                break;
            }
        }
        if (skipped) {
            continue;
        }
        const bool cannotStart =
            buffer_.size() > 1 && byteAt(buffer_, 1) != link::encodeRequestByte(1, wire::kLead);
        if (cannotStart || buffer_.size() > kMaxFrameLength) {
            const qsizetype next = buffer_.indexOf(kMarker, 1);
            discard(next > 0 ? next : buffer_.size());
            continue;
        }
        return payloads;
    }
}

}  // namespace omvi::sim
