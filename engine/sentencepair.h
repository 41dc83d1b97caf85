#pragma once

#include <QString>

namespace ZeltraLib {

// One bilingual sentence of a template. A content ending in a line feed ends a
// paragraph; a content of just a line feed is a paragraph break.
struct SentencePair
{
    QString content;     // English, without surrounding U+0020 spaces
    QString translation; // Chinese, as received

    bool operator==(const SentencePair &other) const
    {
        return content == other.content && translation == other.translation;
    }
};

} // namespace ZeltraLib
