#include "plaintextparagraphsource.h"

namespace ZeltraLib {

PlainTextParagraphSource::PlainTextParagraphSource(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c != u'\n' && c != u'\r' && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1)
            continue;
        m_blocks.append(ParagraphBlock{int(start), text.mid(start, i - start)});
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    m_blocks.append(ParagraphBlock{int(start), text.mid(start)});
}

QList<ParagraphBlock> PlainTextParagraphSource::blocks() const
{
    return m_blocks;
}

} // namespace ZeltraLib
