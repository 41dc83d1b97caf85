#pragma once

#include "resultstate.h"

#include <QList>
#include <QString>
#include <QStringList>

// A file of stored check results, as the check service sends them: a JSON array of
// result objects. Lets the editor be fed without a server (demo, profiling).
class ResultsFile
{
public:
    // Largest file read (a 10,000-word essay's results take a few megabytes).
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    // Reads every element with parseResultState; bad elements are reported in
    // errors() and skipped, the good ones kept.
    static ResultsFile read(const QString &path);
    static ResultsFile fromJson(const QByteArray &json);

    const QList<ZeltraLib::CResultState> &states() const { return m_states; }
    const QStringList &errors() const { return m_errors; }

private:
    QList<ZeltraLib::CResultState> m_states;
    QStringList m_errors; // one line per bad record or file problem
};
