#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ZeltraLib {

// One word choice the user made: which word of which sentence was replaced by what.
struct WordChoice
{
    QString sentence;
    int wordIndex = 0;
    int wordLength = 0;
    QString chooseWord;
};

// The upload form of the choices: a JSON array of {"sentence", "wordIdx",
// "wordLength", "chooseWord"} objects, compact, members sorted, ending with a newline.
QByteArray wordChoicesJson(const QList<WordChoice> &choices);

} // namespace ZeltraLib
