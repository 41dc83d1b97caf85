#pragma once

#include <QList>
#include <QString>

namespace ZeltraLib {

// One node of the template catalog: a category with children, or a template.
struct TemplateCatalogNode
{
    enum Type { Category = 0, High = 1, Low = 2 };

    int id = 0;          // a template's id is the catid of its request
    QString shortName;   // "Name" before the first "|": what the tree shows
    QString name;        // the whole "Name": what the filter searches
    int nodeType = Category;
    QList<TemplateCatalogNode> children; // only for categories
};

} // namespace ZeltraLib
