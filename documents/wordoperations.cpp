#include "wordoperations.h"

#include "documentfiles.h"

namespace {

QString localPath(const QString &path)
{
    return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

bool readWordText(const QString &path, QString &text, QString *error)
{
    return DocumentFiles().read(localPath(path), &text, error);
}

bool saveWordText(const QString &path, const QString &text, QString *error)
{
    return DocumentFiles().write(localPath(path), text, error);
}

bool fillWordBookmarks(const QString &path, const QStringList &blanks, const QHash<QString, QString> &values,
                       QString *error)
{
    return DocumentFiles().fillBookmarks(localPath(path), blanks, values, error);
}
