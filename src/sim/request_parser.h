#pragma once
// Finds request frames in the byte stream from the program, in any chunking.
//
// A frame is 0xCC, the scrambled payload, an outer checksum and 0xCC, without escaping: a body
// byte or the checksum may itself be 0xCC. The end is therefore the first 0xCC at which the outer
// checksum agrees and the unscrambled payload reads 0xF0 ... inner sum. Bytes that cannot begin
// such a frame are skipped.

#include <QByteArray>
#include <QList>

namespace omvi::sim {

class RequestParser {
  public:
    // Longest frame the program sends is a block write of about 1 KiB; anything pending longer
    // than this cannot become a frame.
    static constexpr int kMaxFrameLength = 2048;

    // Appends bytes; returns the plain payloads (0xF0, command, sum) of the frames they complete.
    QList<QByteArray> feed(const QByteArray& bytes);

    // Runs of discarded bytes that began with a frame marker: requests that could not be read.
    int rejected() const { return rejected_; }
    // Bytes held back waiting for the rest of a frame.
    qsizetype pending() const { return buffer_.size(); }

  private:
    // End index of a complete frame starting at `start` (a marker), or -1; fills `payload`.
    qsizetype frameAt(qsizetype start, QByteArray* payload) const;
    void discard(qsizetype count);

    QByteArray buffer_;
    int rejected_ = 0;
};

}  // namespace omvi::sim
