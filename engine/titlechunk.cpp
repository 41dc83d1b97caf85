#include "titlechunk.h"

namespace ZeltraLib {

void TitleChunk::configs(QStringList &list) const
{
    list << QStringLiteral("server.mor") << QStringLiteral("1")
         << QStringLiteral("server.spell") << QStringLiteral("2")
         << QStringLiteral("server.style") << QStringLiteral("4")
         << QStringLiteral("server.dependency") << QStringLiteral("0")
         << QStringLiteral("server.grammar") << QStringLiteral("0")
         << QStringLiteral("server.rule") << QStringLiteral("0")
         << QStringLiteral("server.real") << QStringLiteral("3")
         << QStringLiteral("server.det") << QStringLiteral("0");
    appendConfidence(list);
}

} // namespace ZeltraLib
