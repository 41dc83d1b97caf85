#pragma once

#include <QString>
#include <QTextCursor>

// One occurrence of a key word ("[...]") in one of the template editor's views.
struct KeywordRange
{
    QTextCursor range; // spans the text now shown for the key word
    QString key;       // the key word as it first appeared, brackets included
};
