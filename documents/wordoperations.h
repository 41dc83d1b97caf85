#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The three Word operations of the main window and the writing guide, each true when it
// succeeded; on failure *error (when given) says why. Callers written for Word turned every
// "/" of a path into "\"; such paths are turned back, so "\" never reaches the file system.

// The document's whole text, one line per paragraph.
bool readWordText(const QString &path, QString &text, QString *error = nullptr);
// A new document holding `text` (.docx natively, .doc through LibreOffice).
bool saveWordText(const QString &path, const QString &text, QString *error = nullptr);
// Fills bookmark "b<i>" with values[blanks[i]] for each non-empty value; saves in place.
bool fillWordBookmarks(const QString &path, const QStringList &blanks, const QHash<QString, QString> &values,
                       QString *error = nullptr);
