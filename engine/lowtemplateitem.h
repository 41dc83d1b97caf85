#pragma once

#include <QString>
#include <QStringList>

namespace ZeltraLib {

// One downloadable Word document of a simple template.
struct LowTemplateItem
{
    int id = 0;
    QString title;
    QString imageUrl; // cover picture, used unchanged
    QString fileUrl;  // the document, used unchanged
    QStringList blanks; // placeholder texts the user may fill, e.g. "[姓名，如 Li Hua]"
};

} // namespace ZeltraLib
