#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

namespace ZeltraLib {

// A paragraph as the splitter sees it: its GB18030 bytes, with the trail bytes
// of multi-byte characters that fall into the ASCII range replaced by 0x80 so
// that no Chinese character reads as a letter, digit, "@" or bracket; and the
// way back from byte offsets to UTF-16 offsets.
class SplitterText
{
public:
    explicit SplitterText(const QString &paragraph);

    const QByteArray &bytes() const { return m_bytes; }

    // Byte ends (ascending, inclusive) to UTF-16 ends: each end becomes the
    // last UTF-16 unit of the character holding it, so a surrogate pair is
    // never cut. An end inside a character can only be a Chinese mark matched
    // across two characters, which is no mark, or the last byte; the former
    // are dropped. A Chinese ellipsis (two characters) ends after both.
    // Ends falling into the same character are merged.
    QList<int> toCharacterEnds(const QList<int> &byteEnds) const;

private:
    struct Wide // one non-ASCII character
    {
        int byteStart;
        int byteLength;
        int lastUnit; // UTF-16 index of its last unit
    };

    QByteArray m_bytes;
    std::vector<Wide> m_wide; // ascending; empty for an ASCII paragraph
};

} // namespace ZeltraLib
