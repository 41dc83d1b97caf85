#include "sentencechunk.h"

namespace ZeltraLib {

void SentenceChunk::configs(QStringList &list) const
{
    list << QStringLiteral("server.style") << QStringLiteral("4")
         << QStringLiteral("server.spell") << QStringLiteral("2")
         << QStringLiteral("server.mor") << QStringLiteral("1")
         << QStringLiteral("server.dependency") << QStringLiteral("0")
         << QStringLiteral("server.grammar") << QStringLiteral("6")
         << QStringLiteral("server.rule") << QStringLiteral("7")
         << QStringLiteral("server.real") << QStringLiteral("3")
         << QStringLiteral("server.det") << QStringLiteral("5")
         << QStringLiteral("server.poststyle") << QStringLiteral("9");
    appendConfidence(list);
}

} // namespace ZeltraLib
