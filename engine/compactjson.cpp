#include "compactjson.h"

#include <QString>

#include <json/writer.h>

namespace ZeltraLib {

QByteArray writeCompactJson(const Json::Value &value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    const std::string text = Json::writeString(builder, value);
    QByteArray out(text.data(), qsizetype(text.size()));
    out += '\n';
    return out;
}

Json::Value jsonString(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return Json::Value(utf8.constData(), utf8.constData() + utf8.size());
}

} // namespace ZeltraLib
