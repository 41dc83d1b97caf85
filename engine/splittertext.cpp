#include "splittertext.h"

#include "localencoding.h"

namespace ZeltraLib {

SplitterText::SplitterText(const QString &paragraph)
{
    const qsizetype n = paragraph.size();
    const char16_t *u = reinterpret_cast<const char16_t *>(paragraph.utf16());
    qsizetype ascii = 0;
    while (ascii < n && u[ascii] < 0x80)
        ++ascii;
    if (ascii == n) {
        m_bytes = paragraph.toLatin1();
        return;
    }
    m_bytes.resize(ascii + (n - ascii) * 4);
    unsigned char *out = reinterpret_cast<unsigned char *>(m_bytes.data());
    qsizetype at = 0;
    for (; at < ascii; ++at)
        out[at] = static_cast<unsigned char>(u[at]);
    for (qsizetype i = ascii; i < n; ++i) {
        char32_t c = u[i];
        if (c < 0x80) {
            out[at++] = static_cast<unsigned char>(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(u[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), u[i + 1]);
            ++i;
        }
        unsigned char buf[4];
        const int len = LocalEncoding::encodeCodePoint(c, buf);
        m_wide.push_back(Wide{int(at), len, int(i)});
        out[at++] = buf[0];
        for (int k = 1; k < len; ++k)
            out[at++] = buf[k] < 0x80 ? 0x80 : buf[k];
    }
    m_bytes.truncate(at);
}

QList<int> SplitterText::toCharacterEnds(const QList<int> &byteEnds) const
{
    if (m_wide.empty())
        return byteEnds;
    const auto *b = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    const int n = int(m_bytes.size());
    QList<int> ends;
    ends.reserve(byteEnds.size());
    size_t k = 0; // first wide character not wholly before the end
    for (int e : byteEnds) {
        while (k < m_wide.size() && m_wide[k].byteStart + m_wide[k].byteLength <= e)
            ++k;
        int c;
        if (k < m_wide.size() && m_wide[k].byteStart <= e) {
            const Wide &w = m_wide[k];
            if (e != w.byteStart && e != n - 1)
                continue;
            c = w.lastUnit;
            if (e == w.byteStart && e + 3 < n && b[e] == 0xA1 && b[e + 1] == 0xAD
                && b[e + 2] == 0xA1 && b[e + 3] == 0xAD && k + 1 < m_wide.size())
                c = m_wide[k + 1].lastUnit;
        } else if (k > 0) {
            const Wide &w = m_wide[k - 1];
            c = e - (w.byteStart + w.byteLength - (w.lastUnit + 1));
        } else {
            c = e;
        }
        if (ends.isEmpty() || c > ends.last())
            ends.append(c);
    }
    return ends;
}

} // namespace ZeltraLib
