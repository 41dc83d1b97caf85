#pragma once

#include "frame.h"

#include <QByteArray>
#include <QtGlobal>

namespace ZeltraLib {

// Cuts a byte stream into compressed frames ("<N>S<M>C<M bytes>"), each followed by
// `trailerBytes` bytes that are skipped unread. Bytes of a frame split across reads
// wait in the buffer. A header that cannot be a valid frame header (non-digits, empty
// or oversized lengths) breaks the stream for good: it cannot be resynchronised, so
// nothing after it is read and nothing is allocated for it. The buffer therefore never
// holds more than one frame, its header and trailer beyond the bytes of the last append.
class FrameReader
{
public:
    enum Status {
        Ready,    // a whole frame (and its trailer) was taken
        NeedMore, // the buffered bytes do not hold a whole frame yet
        Broken    // the stream is not a frame stream; stays broken until clear()
    };

    explicit FrameReader(int trailerBytes = 0);

    // Drops all buffered bytes and the broken state.
    void clear();
    void append(const QByteArray &bytes);

    // Takes the next whole frame (header and packed bytes, without the trailer).
    Status next(QByteArray *frame);

    // The header of the next frame, read from the bytes not yet taken (Incomplete while
    // they do not hold it): a caller can refuse a frame before its bytes arrive.
    FrameHeader nextHeader() const;

    // Bytes received and not yet taken.
    QByteArray buffered() const;
    qint64 bufferedSize() const { return m_buffer.size() - m_offset; }
    bool isBroken() const { return m_broken; }

private:
    void compact();

    QByteArray m_buffer;
    qsizetype m_offset = 0; // start of the untaken bytes in m_buffer
    int m_trailerBytes = 0;
    bool m_broken = false;
};

} // namespace ZeltraLib
