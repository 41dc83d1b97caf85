#pragma once

#include "sentencepair.h"

#include <QList>
#include <QString>

namespace ZeltraLib {

// A detailed template: a bilingual title, blocks (paragraphs) with alternative
// wordings, and common sentences.
struct HighTemplate
{
    using Alternative = QList<SentencePair>;
    using Block = QList<Alternative>; // alternative 0 is the block's own wording

    int catId = 0;
    QString description;
    SentencePair title;
    QList<SentencePair> commonSentences;
    QList<Block> blocks;
};

} // namespace ZeltraLib
