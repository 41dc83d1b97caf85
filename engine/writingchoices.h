#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace ZeltraLib {

// The chosen alternative of each replaceable block, per detailed template id, kept in
// "writing.ini" (Qt data stream of a hash from qint32 to a list of qint32).
class WritingChoices
{
public:
    using Map = QHash<qint32, QList<qint32>>;

    // The folder of the per-user settings file of Tessel/application plus "/writing.ini".
    static QString defaultPath();

    // The map in `path`; empty when the file is missing, unreadable or corrupt.
    static Map read(const QString &path);
    // Writes the map when it holds an entry. The old file is replaced only once the
    // new one is complete, so a crash or full disk never leaves it cut short.
    static bool write(const QString &path, const Map &map);

    // Largest file read; a longer one is taken as corrupt.
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
};

} // namespace ZeltraLib
