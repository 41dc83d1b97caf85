#pragma once

#include <QByteArray>
#include <QString>

namespace ZeltraLib {

// GB18030, the 8-bit encoding in which the splitter and the word counter look
// at text. The table is built once from Qt's converter; lookups are lock-free.
class LocalEncoding
{
public:
    // The bytes of one code point (1, 2 or 4), written to out; returns the count.
    // Surrogate code points (unpaired halves) are written as U+FFFD.
    static int encodeCodePoint(char32_t codePoint, unsigned char out[4]);

    // The whole text. Unpaired surrogates become U+FFFD.
    static QByteArray encode(const QString &text);

    // False when the platform's converter lacks GB18030; every non-ASCII
    // character then encodes as a neutral two-byte pair (0xFE 0xFE) except the
    // four Chinese sentence marks, which keep their bytes.
    static bool hasConverter();
};

} // namespace ZeltraLib
