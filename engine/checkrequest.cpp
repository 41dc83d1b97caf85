#include "checkrequest.h"

#include "compactjson.h"
#include "sentencechunk.h"
#include "titlechunk.h"

#include <json/value.h>

namespace ZeltraLib {

namespace {

Json::Value configList(TextChunk &chunk, int confidence)
{
    chunk.setConfidence(confidence);
    QStringList list;
    chunk.configs(list);
    Json::Value out(Json::arrayValue);
    for (const QString &item : list)
        out.append(jsonString(item));
    return out;
}

} // namespace

QByteArray checkRequestJson(const CheckRequest &request)
{
    Json::Value root(Json::objectValue);
    root["session"] = jsonString(request.session);

    Json::Value sents(Json::arrayValue);
    for (const QString &sentence : request.sents)
        sents.append(jsonString(sentence));
    root["sents"] = sents;

    Json::Value configs(Json::arrayValue);
    for (const int config : request.configs)
        configs.append(config);
    root["configs"] = configs;
    if (request.configs.contains(-1) && request.scoreErrors.size() == request.sents.size()) {
        Json::Value errors(Json::arrayValue);
        for (const int count : request.scoreErrors)
            errors.append(count);
        root["scoreErrors"] = errors;
    }

    SentenceChunk sentence;
    TitleChunk title;
    Json::Value types(Json::arrayValue);
    types.append(configList(sentence, request.confidence));
    types.append(configList(title, request.confidence));
    root["configTypes"] = types;

    root["clientVersion"] = jsonString(QStringLiteral("Tessel ") + request.clientVersion);
    return writeCompactJson(root);
}

} // namespace ZeltraLib
