#pragma once

#include "servicehosts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ZeltraLib {

// What one check posts: the sentences with one config each.
struct CheckRequest
{
    QString session;      // session key of the logged-in user
    QStringList sents;    // the sentences, in order
    QList<int> configs;   // per sentence: -1 answered from the cache, else the chunk kind
                          // (0 sentence, 1 title), an index into "configTypes"
    QString clientVersion = ClientVersion; // without the "Tessel " prefix
    int confidence = 2;   // the user's English level, used in both config lists
    // Per sentence: the "scoreErrors" of its cached record (0 for sentences sent to be
    // checked), so that the summary scores the whole text. Sent only when a config is -1.
    QList<int> scoreErrors;
};

// The request's JSON text: {"clientVersion":"Tessel <v>","configTypes":[<sentence
// list>,<title list>],"configs":[...],"sents":[...],"session":"..."} in the compact
// form, ending with one newline. With a cached sentence and one count per sentence, the
// member "scoreErrors":[...] comes between "configs" and "sents".
QByteArray checkRequestJson(const CheckRequest &request);

} // namespace ZeltraLib
