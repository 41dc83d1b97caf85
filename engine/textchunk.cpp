#include "textchunk.h"

namespace ZeltraLib {

TextChunk::~TextChunk() = default;

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
