#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QString>

// Fills named bookmarks of a WordprocessingML main document part: the runs between
// w:bookmarkStart and its w:bookmarkEnd give way to the value, written into the first
// run so that it keeps that run's formatting. Every byte outside those runs stays as it is.
class BookmarkFiller
{
public:
    // `values`: bookmark name -> value (names compared without case). False, with the
    // reason, when the part is no valid XML, a named bookmark is missing, or two overlap.
    static bool fill(const QByteArray &xml, const QHash<QString, QString> &values, QByteArray *result,
                     QString *error, QDeadlineTimer deadline);
};
