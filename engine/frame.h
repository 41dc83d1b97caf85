#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace ZeltraLib {

// Compressed frame used by check and polish requests and replies:
// "<N>S<M>C<zlib data>", N the raw length, M the packed length, both decimal.

// Upper bound for both lengths; a header claiming more is refused before any
// allocation.
constexpr qint64 MaxFrameBytes = 64 * 1024 * 1024;

// Text of the runtime error raised when the data does not inflate.
inline constexpr const char UncompressErrorText[] = "Error: Some error happens when uncompressing.";

// "<N>S<M>C<zlib compress() of data>" at zlib's default level.
QByteArray encodeFrame(const QByteArray &data);

// Decodes one whole frame (header + exactly M packed bytes). Throws std::runtime_error
// (UncompressErrorText) when it does not inflate, and refuses (same exception type, its
// own message) lengths that are not plain decimal digits or exceed MaxFrameBytes.
// Returns all inflated bytes (the caller cuts at the first zero byte where the
// protocol says so).
QByteArray decodeFrame(const QByteArray &frame);

// As decodeFrame, but also refuses data that does not inflate to exactly the raw length.
QByteArray decodeFrameStrict(const QByteArray &frame);

// The bytes up to the first zero byte (the whole array when there is none).
QByteArray cutAtZero(const QByteArray &data);

// Reads a frame header at the start of `bytes` (size `size`).
struct FrameHeader
{
    enum Status {
        Complete,   // both lengths and both markers present and valid
        Incomplete, // a valid beginning; more bytes are needed
        Invalid     // not a frame header (non-digits, empty or oversized length)
    };
    Status status = Incomplete;
    qint64 rawLength = 0;
    qint64 packedLength = 0;
    int headerLength = 0; // bytes up to and including "C"
};
FrameHeader readFrameHeader(const char *bytes, qint64 size);

} // namespace ZeltraLib
