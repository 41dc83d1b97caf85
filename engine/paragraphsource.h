#pragma once

#include <QList>
#include <QString>

namespace ZeltraLib {

// One block of a document: where it starts (UTF-16 offset into the whole
// text) and its text without the block separator.
struct ParagraphBlock
{
    int position = 0;
    QString text;
};

// Where the sentence detection reads the paragraphs from: the editor's
// document or a plain text. Read in the thread that starts the detection.
class ParagraphSource
{
public:
    virtual ~ParagraphSource() = default;
    // Every block in document order, empty ones included.
    virtual QList<ParagraphBlock> blocks() const = 0;
};

} // namespace ZeltraLib
