#include "wordoperations.h"

#include "documentfiles.h"

bool readWordText(const QString &path, QString &text, QString *error)
{
    return DocumentFiles().read(path, &text, error);
}

bool saveWordText(const QString &path, const QString &text, QString *error)
{
    return DocumentFiles().write(path, text, error);
}

bool fillWordBookmarks(const QString &path, const QStringList &blanks, const QHash<QString, QString> &values,
                       QString *error)
{
    return DocumentFiles().fillBookmarks(path, blanks, values, error);
}
