#pragma once
// Helpers the checker tests share: the client's sentence configuration and reading
// the corrections of a result record.

#include <json/json.h>

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace CheckerRecords {

// The configuration list the client sends for sentences, at a confidence level.
inline std::vector<std::string> sentenceConfig(int confidence = 2)
{
    return {"server.style", "4", "server.spell", "2", "server.mor", "1", "server.dependency", "0",
            "server.grammar", "6", "server.rule", "7", "server.real", "3", "server.det", "5",
            "server.poststyle", "9", "server.confidence", std::to_string(confidence)};
}

// The text a correction covers, cut from the sentence by its UTF-16 offsets.
inline QString covered(const QString &sentence, const Json::Value &c)
{
    return sentence.mid(c["start"].asInt(), c["end"].asInt() - c["start"].asInt());
}

// "GRAMMAR/sv_agreement 'go' -> 'goes'; ..." for failure messages.
inline QString describe(const QString &sentence, const Json::Value &record)
{
    QStringList parts;
    for (const Json::Value &c : record["corrections"])
        parts << QStringLiteral("%1/%2 '%3' -> '%4'")
                     .arg(QString::fromStdString(c["errorType"].asString()),
                          QString::fromStdString(c["explainType"].asString()), covered(sentence, c),
                          QString::fromStdString(c["candidates"][0u]["correction"].asString()));
    return parts.join(QStringLiteral("; "));
}

} // namespace CheckerRecords
