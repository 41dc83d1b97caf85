#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files of the program folders the updater tests build.
namespace TestFiles {
// Writes `content`, creating the folders on the way; false on failure.
bool write(const QString &path, const QByteArray &content);
// The content, or "<missing>".
QByteArray read(const QString &path);
// Every file below `root` but `except` (relative), as "path=content", sorted.
QStringList snapshot(const QString &root, const QString &except = QString());
}
