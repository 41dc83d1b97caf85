#include "frame.h"

#include <stdexcept>
#include <zlib.h>

namespace ZeltraLib {

namespace {

// Longest decimal text a valid length may have (MaxFrameBytes has 8 digits; leading
// zeros beyond a few are not plausible and would only let a peer stall us).
constexpr int MaxLengthDigits = 12;

enum class Number { Complete, Incomplete, Invalid };

// Parses decimal digits from `pos` up to `marker`. On Complete, `pos` points past the marker.
Number readNumber(const char *bytes, qint64 size, qint64 &pos, char marker, qint64 &value)
{
    const qint64 start = pos;
    value = 0;
    while (pos < size) {
        const char ch = bytes[pos];
        if (ch == marker) {
            if (pos == start)
                return Number::Invalid;
            ++pos;
            return Number::Complete;
        }
        if (ch < '0' || ch > '9' || pos - start >= MaxLengthDigits)
            return Number::Invalid;
        value = value * 10 + (ch - '0');
        if (value > MaxFrameBytes)
            return Number::Invalid;
        ++pos;
    }
    return Number::Incomplete;
}

QByteArray decode(const QByteArray &frame, bool exactLength)
{
    const FrameHeader header = readFrameHeader(frame.constData(), frame.size());
    if (header.status != FrameHeader::Complete)
        throw std::runtime_error("Error: the frame header is not valid.");
    if (frame.size() - header.headerLength != header.packedLength)
        throw std::runtime_error("Error: the frame does not hold its packed length.");

    QByteArray out(qMax<qint64>(header.rawLength, 1), Qt::Uninitialized);
    uLongf outLength = uLongf(header.rawLength);
    const int rc = uncompress(reinterpret_cast<Bytef *>(out.data()), &outLength,
                              reinterpret_cast<const Bytef *>(frame.constData() + header.headerLength),
                              uLong(header.packedLength));
    if (rc != Z_OK)
        throw std::runtime_error(UncompressErrorText);
    if (exactLength && qint64(outLength) != header.rawLength)
        throw std::runtime_error("Error: the frame does not inflate to its raw length.");
    out.truncate(qsizetype(outLength));
    return out;
}

} // namespace

FrameHeader readFrameHeader(const char *bytes, qint64 size)
{
    FrameHeader header;
    qint64 pos = 0;
    Number n = readNumber(bytes, size, pos, 'S', header.rawLength);
    if (n == Number::Complete)
        n = readNumber(bytes, size, pos, 'C', header.packedLength);
    switch (n) {
    case Number::Complete:
        header.status = FrameHeader::Complete;
        header.headerLength = int(pos);
        break;
    case Number::Incomplete:
        header.status = FrameHeader::Incomplete;
        break;
    case Number::Invalid:
        header.status = FrameHeader::Invalid;
        break;
    }
    return header;
}

QByteArray encodeFrame(const QByteArray &data)
{
    uLongf packedLength = compressBound(uLong(data.size()));
    QByteArray packed(qsizetype(packedLength), Qt::Uninitialized);
    const int rc = compress(reinterpret_cast<Bytef *>(packed.data()), &packedLength,
                            reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()));
    if (rc != Z_OK)
        throw std::runtime_error("Error: Some error happens when compressing.");
    packed.truncate(qsizetype(packedLength));

    QByteArray frame = QByteArray::number(data.size());
    frame.reserve(frame.size() + 24 + packed.size());
    frame += 'S';
    frame += QByteArray::number(qint64(packedLength));
    frame += 'C';
    frame += packed;
    return frame;
}

QByteArray decodeFrame(const QByteArray &frame)
{
    return decode(frame, false);
}

QByteArray decodeFrameStrict(const QByteArray &frame)
{
    return decode(frame, true);
}

QByteArray cutAtZero(const QByteArray &data)
{
    const qsizetype zero = data.indexOf('\0');
    return zero < 0 ? data : data.left(zero);
}

} // namespace ZeltraLib
