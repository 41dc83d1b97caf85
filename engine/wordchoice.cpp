#include "wordchoice.h"

#include <json/json.h>

namespace ZeltraLib {

QByteArray wordChoicesJson(const QList<WordChoice> &choices)
{
    Json::Value array(Json::arrayValue);
    for (const WordChoice &choice : choices) {
        Json::Value item(Json::objectValue);
        item["sentence"] = choice.sentence.toStdString();
        item["wordIdx"] = choice.wordIndex;
        item["wordLength"] = choice.wordLength;
        item["chooseWord"] = choice.chooseWord.toStdString();
        array.append(item);
    }
    Json::FastWriter writer;
    const std::string text = writer.write(array);
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace ZeltraLib
