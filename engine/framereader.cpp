#include "framereader.h"

#include "frame.h"

namespace ZeltraLib {

FrameReader::FrameReader(int trailerBytes)
    : m_trailerBytes(trailerBytes)
{
}

void FrameReader::clear()
{
    m_buffer.clear();
    m_offset = 0;
    m_broken = false;
}

void FrameReader::append(const QByteArray &bytes)
{
    if (m_broken || bytes.isEmpty())
        return;
    compact();
    m_buffer += bytes;
}

FrameReader::Status FrameReader::next(QByteArray *frame)
{
    if (m_broken)
        return Broken;
    const char *data = m_buffer.constData() + m_offset;
    const qint64 size = bufferedSize();
    if (size == 0)
        return NeedMore;

    const FrameHeader header = readFrameHeader(data, size);
    if (header.status == FrameHeader::Invalid) {
        m_broken = true;
        m_buffer.clear();
        m_offset = 0;
        return Broken;
    }
    if (header.status == FrameHeader::Incomplete)
        return NeedMore;

    const qint64 frameLength = header.headerLength + header.packedLength;
    if (size < frameLength + m_trailerBytes)
        return NeedMore;
    *frame = QByteArray(data, qsizetype(frameLength));
    m_offset += qsizetype(frameLength + m_trailerBytes);
    if (m_offset == m_buffer.size()) {
        m_buffer.clear();
        m_offset = 0;
    }
    return Ready;
}

FrameHeader FrameReader::nextHeader() const
{
    if (m_broken)
        return FrameHeader{FrameHeader::Invalid};
    return readFrameHeader(m_buffer.constData() + m_offset, bufferedSize());
}

QByteArray FrameReader::buffered() const
{
    return m_buffer.mid(m_offset);
}

void FrameReader::compact()
{
    if (m_offset > 0) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
}

} // namespace ZeltraLib
