#include "writingchoices.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace ZeltraLib {

QString WritingChoices::defaultPath()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessel"),
                             QStringLiteral("application"));
    return QFileInfo(settings.fileName()).absolutePath() + QStringLiteral("/writing.ini");
}

WritingChoices::Map WritingChoices::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    // Read from memory: a corrupt count cannot make the stream allocate more than the
    // file could hold.
    const QByteArray data = file.readAll();
    QDataStream in(data);
    quint32 count = 0;
    in >> count;
    Map map;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 key = 0;
        quint32 length = 0;
        in >> key >> length;
        if (in.status() != QDataStream::Ok || qint64(length) * 4 > data.size())
            return {};
        QList<qint32> values;
        values.reserve(length);
        for (quint32 v = 0; v < length && in.status() == QDataStream::Ok; ++v) {
            qint32 value = 0;
            in >> value;
            values.append(value);
        }
        map.insert(key, values);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return {};
    return map;
}

bool WritingChoices::write(const QString &path, const Map &map)
{
    if (map.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << map;
    return out.status() == QDataStream::Ok && file.commit();
}

} // namespace ZeltraLib
