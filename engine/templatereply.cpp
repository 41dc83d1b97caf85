#include "templatereply.h"

#include <json/json.h>

#include <exception>
#include <memory>

namespace ZeltraLib {

namespace {

QString text(const Json::Value &v, const char *key)
{
    const Json::Value &item = v.isObject() ? v[key] : Json::Value::nullSingleton();
    return item.isString() ? QString::fromStdString(item.asString()) : QString();
}

int number(const Json::Value &v, const char *key)
{
    const Json::Value &item = v.isObject() ? v[key] : Json::Value::nullSingleton();
    return item.isInt() ? item.asInt() : 0;
}

const Json::Value &array(const Json::Value &v, const char *key)
{
    static const Json::Value empty(Json::arrayValue);
    const Json::Value &item = v.isObject() ? v[key] : empty;
    return item.isArray() ? item : empty;
}

// Only U+0020 is stripped, one by one from both ends; line feeds stay.
QString stripSpaces(const QString &s)
{
    qsizetype first = 0, last = s.size();
    while (first < last && s.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && s.at(last - 1) == QLatin1Char(' '))
        --last;
    return s.mid(first, last - first);
}

SentencePair pair(const Json::Value &v)
{
    return {stripSpaces(text(v, "Content")), text(v, "Translation")};
}

QList<SentencePair> pairs(const Json::Value &list)
{
    QList<SentencePair> out;
    for (const Json::Value &v : list)
        out.append(pair(v));
    return out;
}

TemplateCatalogNode node(const Json::Value &v, int depth)
{
    TemplateCatalogNode n;
    n.id = number(v, "Id");
    n.name = text(v, "Name");
    const qsizetype bar = n.name.indexOf(QLatin1Char('|'));
    n.shortName = bar < 0 ? n.name : n.name.left(bar);
    const QString type = text(v, "NodeType");
    n.nodeType = type == QLatin1String("High") ? TemplateCatalogNode::High
               : type == QLatin1String("Low")  ? TemplateCatalogNode::Low
                                               : TemplateCatalogNode::Category;
    if (n.nodeType == TemplateCatalogNode::Category && depth < TemplateReply::MaxCatalogDepth)
        for (const Json::Value &child : array(v, "children"))
            n.children.append(node(child, depth + 1));
    return n;
}

} // namespace

QByteArray TemplateReply::prepare(const QByteArray &body, bool high)
{
    QString s = QString::fromUtf8(body);
    s.replace(QLatin1String("\\u0027"), QLatin1String("'"));
    if (high)
        s.replace(QLatin1String("\\r"), QLatin1String("\n"));
    return s.toUtf8();
}

bool TemplateReply::read(const QByteArray &body, bool high, Json::Value *root)
{
    if (body.size() > MaxBodyBytes)
        return false;
    const QByteArray data = prepare(body, high);
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = 2 * MaxCatalogDepth + 8;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        return reader->parse(data.constData(), data.constData() + data.size(), root, &errors);
    } catch (const std::exception &) {
        return false; // nested beyond the stack limit
    }
}

bool TemplateReply::parseCatalog(const QByteArray &body, QList<TemplateCatalogNode> *list)
{
    Json::Value root;
    if (!read(body, false, &root) || !root.isArray())
        return false;
    for (const Json::Value &v : root)
        list->append(node(v, 0));
    return true;
}

bool TemplateReply::parseHigh(const QByteArray &body, HighTemplate *target)
{
    Json::Value root;
    if (!read(body, true, &root) || !root.isObject())
        return false;
    target->catId = number(root, "catId");
    target->description = text(root, "description");
    target->title = pair(root["title"]);
    target->commonSentences.append(pairs(array(root, "css")));
    for (const Json::Value &b : array(root, "bls")) {
        HighTemplate::Block block;
        block.append(pairs(array(b, "ss")));
        for (const Json::Value &alternative : array(b, "rbs"))
            block.append(pairs(array(alternative, "ss")));
        target->blocks.append(block);
    }
    return true;
}

bool TemplateReply::parseLow(const QByteArray &body, QList<LowTemplateItem> *list, QString *description)
{
    Json::Value root;
    if (!read(body, false, &root) || !root.isObject())
        return false;
    *description = text(root, "Description");
    for (const Json::Value &v : array(root, "data")) {
        LowTemplateItem item;
        item.id = number(v, "Id");
        item.title = text(v, "Title");
        item.imageUrl = text(v, "ImgUrl");
        item.fileUrl = text(v, "FileUrl");
        for (const Json::Value &blank : array(v, "Blanks"))
            if (blank.isString())
                item.blanks.append(QString::fromStdString(blank.asString()));
        list->append(item);
    }
    return true;
}

} // namespace ZeltraLib
