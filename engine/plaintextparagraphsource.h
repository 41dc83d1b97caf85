#pragma once

#include "paragraphsource.h"

namespace ZeltraLib {

// Paragraphs of a plain text, cut the way a text document cuts pasted text into
// blocks: at "\n", "\r", "\r\n" (one break), U+2029 and the frame marks U+FDD0
// and U+FDD1. U+2028 stays inside its block. A text of n breaks has n + 1
// blocks, so an empty text has one empty block. A block's position is its
// start offset in the given text (UTF-16 units), so "\r\n" counts two.
class PlainTextParagraphSource : public ParagraphSource
{
public:
    explicit PlainTextParagraphSource(const QString &text);

    QList<ParagraphBlock> blocks() const override;

private:
    QList<ParagraphBlock> m_blocks;
};

} // namespace ZeltraLib
