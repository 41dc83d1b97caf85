#include "textchunk.h"

#include "sentencechunk.h"
#include "titlechunk.h"

namespace ZeltraLib {

TextChunk::~TextChunk() = default;

std::unique_ptr<TextChunk> TextChunk::create(int kind, int confidence)
{
    std::unique_ptr<TextChunk> chunk;
    if (kind == 0)
        chunk = std::make_unique<SentenceChunk>();
    else if (kind == 1)
        chunk = std::make_unique<TitleChunk>();
    if (chunk)
        chunk->setConfidence(confidence);
    return chunk;
}

bool TextChunk::equals(const TextChunk &other) const
{
    QStringList mine;
    QStringList theirs;
    configs(mine);
    other.configs(theirs);
    return mine == theirs;
}

void TextChunk::appendConfidence(QStringList &list) const
{
    list << QStringLiteral("server.confidence") << QString::number(m_confidence);
}

} // namespace ZeltraLib
