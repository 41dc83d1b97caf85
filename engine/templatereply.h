#pragma once

#include "hightemplate.h"
#include "lowtemplateitem.h"
#include "templatecatalognode.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Json {
class Value;
}

namespace ZeltraLib {

// Reading the template service's replies into the template records. Each parse
// leaves its target untouched when the body is not JSON of the expected kind.
class TemplateReply
{
public:
    // Largest reply body read; a longer one is dropped while it arrives.
    static constexpr qint64 MaxBodyBytes = 16 * 1024 * 1024;
    // Deepest catalog nesting read; deeper categories are left out.
    static constexpr int MaxCatalogDepth = 32;

    // Appends the top-level nodes of a catalog body to `list`.
    static bool parseCatalog(const QByteArray &body, QList<TemplateCatalogNode> *list);
    // Fills a detailed template (blocks and common sentences are appended).
    static bool parseHigh(const QByteArray &body, HighTemplate *target);
    // Appends the documents of a simple template to `list`; *description gets its text.
    static bool parseLow(const QByteArray &body, QList<LowTemplateItem> *list, QString *description);

    // The body as the JSON reader gets it: "\u0027" becomes an apostrophe, and, for a
    // detailed template, the two characters "\r" a line feed.
    static QByteArray prepare(const QByteArray &body, bool high);

private:
    static bool read(const QByteArray &body, bool high, Json::Value *root);
};

} // namespace ZeltraLib
