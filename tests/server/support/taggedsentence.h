#pragma once
// Tokens of a sentence with hand-given tags, one per token, for tests of the slot finders
// that must not depend on what the tagger makes of a sentence.

#include "tokenizer.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

struct Tagged
{
    std::vector<PennovaChecker::Token> tokens;
    std::vector<std::string> tags;
};

inline Tagged tagged(const QString &sentence, const QString &tags)
{
    Tagged t{PennovaChecker::Tokenizer::tokenize(sentence.toStdString()), {}};
    for (const QString &tag : tags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        t.tags.push_back(tag.toStdString());
    return t;
}
